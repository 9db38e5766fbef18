#pragma once

#include <mutex>

// Receives the editor's diagnostic text. Nothing is logged unless a sink is installed in
// theDiagnosticLog; see stderr_log.h for the one sink the programs offer.
class CDiagnosticLog {
  public:
    virtual ~CDiagnosticLog() = default;
    virtual void Output(int level, const char* text) = 0;

  private:
    friend void LogMessage(CDiagnosticLog* log, int level, const char* format, ...);
    std::mutex lock;  // whole lines from concurrent callers
};

// Severity levels in use.
inline constexpr int kLogError = 1;
inline constexpr int kLogInfo = 3;

// Longest text handed to a sink; longer text is cut.
inline constexpr int kLogTextLimit = 1023;

// The installed sink, or null. Set at start-up from the environment (TARVO_LOG).
extern CDiagnosticLog* theDiagnosticLog;

// printf-style; does nothing for level 0 or a null log.
void LogMessage(CDiagnosticLog* log, int level, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
