#include "game_data_file.h"

#include "exit_status.h"
#include "model/terrain_names.h"
#include "model/terrain_table.h"
#include "platform/profile_reader.h"

namespace {

constexpr const char* kFailure = "Unable to read game data";

}  // namespace

bool ReadGameDataFile(const std::string& path) {
    // The reader takes a missing file for one without keys; say what really went wrong.
    if (CProfileReader profile(path); !profile.Problem().empty()) {
        ReportFailure(kFailure, path, profile.Problem());
        return false;
    }
    int badType = -1;
    if (theTerrainTable.LoadGameData(path, &badType) != 0) {
        ReportFailure(kFailure, path,
                      std::string("the [TerrainCosts] key ") + TerrainKey(badType) +
                          " is missing or malformed");
        return false;
    }
    return true;
}
