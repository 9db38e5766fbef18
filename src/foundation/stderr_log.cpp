#include "foundation/stderr_log.h"

#include <cstdio>
#include <cstdlib>

void CStderrLog::Output(int level, const char* text) {
    const char* severity = level == kLogError ? "error" : "info";
    std::fprintf(stderr, "tarvo %s: %s\n", severity, text);
}

CDiagnosticLog* EnvironmentLog() {
    if (std::getenv("TARVO_LOG") == nullptr) {
        return nullptr;
    }
    static CStderrLog log;
    return &log;
}
