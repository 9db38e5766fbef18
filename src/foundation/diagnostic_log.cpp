#include "foundation/diagnostic_log.h"

#include <cstdarg>
#include <cstdio>

#include "foundation/stderr_log.h"

CDiagnosticLog* theDiagnosticLog = EnvironmentLog();

void LogMessage(CDiagnosticLog* log, int level, const char* format, ...) {
    if (level == 0 || log == nullptr) {
        return;
    }
    std::lock_guard guard(log->lock);
    char text[kLogTextLimit + 1];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    log->Output(level, text);
}
