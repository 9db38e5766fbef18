#include "game_data_file.h"

#include "document/game_data.h"
#include "exit_status.h"
#include "platform/bundled_files.h"

namespace {

constexpr const char* kFailure = "Unable to read game data";

}  // namespace

bool ReadGameDataFile(const std::string& path) {
    std::string problem;
    if (ReadGameData(path, problem) != 0) {
        ReportFailure(kFailure, path, problem);
        return false;
    }
    return true;
}

std::string GameDataPath(const CCommandLine& line) {
    return line.Has("--gamedata") ? line.Value("--gamedata")
                                  : BundledGameDataFile(RunningProgramFolder());
}
