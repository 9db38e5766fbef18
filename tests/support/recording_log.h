#pragma once

#include <string>
#include <utility>
#include <vector>

#include "foundation/diagnostic_log.h"

// A log sink that keeps every line, installed as theDiagnosticLog for its lifetime.
class RecordingLog : public CDiagnosticLog {
  public:
    RecordingLog();
    ~RecordingLog() override;

    void Output(int level, const char* text) override;
    // The number of lines that hold part.
    int CountHolding(const std::string& part) const;

    std::vector<std::pair<int, std::string>> lines;

  private:
    CDiagnosticLog* previous;
};
