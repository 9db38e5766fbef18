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

int RecordingLog::CountHolding(const std::string& part) const {
    int count = 0;
    for (const auto& line : lines) {
        count += line.second.find(part) != std::string::npos ? 1 : 0;
    }
    return count;
}
