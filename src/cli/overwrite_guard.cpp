#include "overwrite_guard.h"

#include <filesystem>

#include "usage_error.h"

void RefuseToOverwrite(const std::vector<std::string>& inputs, const std::string& output) {
    for (const std::string& input : inputs) {
        std::error_code missing;
        if (std::filesystem::equivalent(input, output, missing)) {
            throw CUsageError(output + " would overwrite the input " + input);
        }
    }
}
