#include "exit_status.h"

#include <cstdio>

#include "map_json.h"

int ReportFailure(const std::string& what, const std::string& path, const std::string& reason) {
    // The editor's texts may end with a full stop, which does not belong before the path.
    std::string text = what.ends_with('.') ? what.substr(0, what.size() - 1) : what;
    text += ": " + path;
    if (!reason.empty()) {
        text += ": " + reason;
    }
    std::fprintf(stderr, "%s: %s\n", kToolName, PrintableText(text).c_str());
    return kExitFailure;
}

void ReportWarning(const std::string& text) {
    std::fprintf(stderr, "%s: warning: %s\n", kToolName, PrintableText(text).c_str());
}
