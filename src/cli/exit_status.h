#pragma once

#include <string>

// Exit statuses: success, a failure of the work, a command line that does not say what to do.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

inline constexpr const char* kToolName = "tarvo-map";

// Prints "tarvo-map: what: path: reason" (without the reason when it is empty) to standard
// error and returns kExitFailure. Reasons carry names from files: this and the warnings print
// them as PrintableText.
int ReportFailure(const std::string& what, const std::string& path, const std::string& reason);
// Prints "tarvo-map: warning: text" to standard error.
void ReportWarning(const std::string& text);
