#include <cstdio>

#include "art/terrain_row_text.h"
#include "exit_status.h"
#include "game_data_file.h"
#include "map_json.h"
#include "subcommand.h"

namespace {

void PrintTerrainList() {
    CTileGrid grid;
    CMapArt art(grid);
    std::puts(kTerrainListHeader);
    for (int type : kTerrainListTypes) {
        std::puts(RowText(art, type).c_str());
    }
}

int RunGameData(const CCommandLine& line) {
    if (!ReadGameDataFile(line.Positionals()[0])) {
        return kExitFailure;
    }
    if (line.Has("--json")) {
        std::puts(JsonText(TerrainTableJson()).c_str());
    } else {
        PrintTerrainList();
    }
    return kExitSuccess;
}

}  // namespace

const Subcommand& GameDataCommand() {
    static const Subcommand command{
        "gamedata",
        "INI [--json]",
        "check a game data file",
        "Reads a game data file as the editor's Open Tarvo.ini does and prints the terrain\n"
        "list, one tab-separated row per type. A missing or malformed terrain line is named.\n"
        "\n"
        "Options:\n"
        "  --json   print milesPerTile and the terrain records 0 to 41 as JSON instead\n",
        {{"--json", false}},
        1,
        1,
        RunGameData,
    };
    return command;
}
