#include "support/recording_log.h"

RecordingLog::RecordingLog() : previous(theDiagnosticLog) {
    theDiagnosticLog = this;
}

RecordingLog::~RecordingLog() {
    theDiagnosticLog = previous;
}

void RecordingLog::Output(int level, const char* text) {
    lines.emplace_back(level, text);
}
