#pragma once

#include <string>
#include <vector>

// Throws CUsageError when output names one of the existing input files: a slip of the
// keyboard must not replace a map or a picture with something else.
void RefuseToOverwrite(const std::vector<std::string>& inputs, const std::string& output);
