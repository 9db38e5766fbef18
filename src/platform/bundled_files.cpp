#include "platform/bundled_files.h"

#include <filesystem>
#include <system_error>

std::string BundledGameDataFile(const std::string& programFolder) {
    const std::string beside = programFolder + "/gamedata/tarvo.ini";
    const std::filesystem::path installed =
        std::filesystem::path(programFolder) / "../share/tarvo-map/gamedata/tarvo.ini";
    std::error_code ignored;
    if (!std::filesystem::exists(beside, ignored) && std::filesystem::exists(installed, ignored)) {
        return installed.lexically_normal().string();
    }
    return beside;
}

std::string RunningProgramFolder() {
    std::error_code failed;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    return failed ? std::string(".") : program.parent_path().string();
}
