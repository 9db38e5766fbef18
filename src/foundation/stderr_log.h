#pragma once

#include "foundation/diagnostic_log.h"

// Writes each log text as one line to standard error, so that a designer can see the
// verification messages when something goes wrong.
class CStderrLog : public CDiagnosticLog {
  public:
    void Output(int level, const char* text) override;
};

// The process-wide stderr sink when the environment variable TARVO_LOG is set, else null.
CDiagnosticLog* EnvironmentLog();
