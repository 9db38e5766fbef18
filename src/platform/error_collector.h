#pragma once

#include <string>

// Bounds a run of similar errors: the first ten messages are shown, the eleventh is replaced by
// a closing notice, later ones are not shown. Every message is logged. errorCount belongs to the
// caller, who starts it at 0 for one run of checks; it is incremented on every call.
void ReportError(const std::string& message, int& errorCount);

inline constexpr int kShownErrorLimit = 10;
inline constexpr const char* kMoreErrorsNotice = " ... and even more errors, but we'll stop here.";
