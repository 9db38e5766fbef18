#include <cstdio>

#include "check/map_check.h"
#include "exit_status.h"
#include "game_data_file.h"
#include "map_files.h"
#include "subcommand.h"

namespace {

int RunCheck(const CCommandLine& line) {
    CMapDocument map;
    if (!LoadMapFile(map, line.Positionals()[0])) {
        return kExitFailure;
    }
    // The table the map carries against the game data the game would otherwise use.
    CTerrainTable gameData;
    const std::string gameDataPath = GameDataPath(line);
    const bool compare = gameData.LoadGameData(gameDataPath) == 0;
    if (!compare) {
        std::fprintf(stderr, "%s: %s cannot be read; the terrain table is not compared\n",
                     kToolName, gameDataPath.c_str());
    }
    const bool strict = line.Has("--strict");
    int faults = 0;
    int notes = 0;
    for (const MapFinding& finding :
         CheckMap(map, theTerrainTable, compare ? &gameData : nullptr)) {
        const char* kind = finding.informational ? "note" : strict ? "error" : "warning";
        (finding.informational ? notes : faults) += 1;
        std::printf("%s: %s\n", kind, finding.Line().c_str());
    }
    std::fprintf(stderr, "%s: %d %s%s, %d note%s\n", kToolName, faults,
                 strict ? "error" : "warning", faults == 1 ? "" : "s", notes,
                 notes == 1 ? "" : "s");
    return strict && faults > 0 ? kExitFailure : kExitSuccess;
}

}  // namespace

const Subcommand& CheckCommand() {
    static const Subcommand command{
        "check",
        "MAP.gmp [--strict] [--gamedata INI]",
        "report what the game or a player would trip over in a map",
        "Prints one line for each fault found, with its tile and the reason: tiles of a custom\n"
        "type without art; cells without art or beyond a type's random count; stamp cells\n"
        "placed by hand whose partners are missing (those of the transition sheets, which the\n"
        "terrain brush places alone, are only counted); transition tiles whose boundary points\n"
        "disagree with a neighbour; rivers that run into a tile without a river and not into\n"
        "open water; rivers the file cannot keep; tiles of the types 0, 1 and 18 to 21. Notes\n"
        "say how the map's terrain table differs from the game data file.\n"
        "\n"
        "Faults are warnings (exit status 0), or with --strict errors (exit status 1).\n"
        "\n"
        "Options:\n"
        "  --strict          faults are errors\n"
        "  --gamedata INI    the game data file to compare the terrain table with (default: the\n"
        "                    tarvo.ini installed with the tool)\n",
        {{"--strict", false}, {"--gamedata"}},
        1,
        1,
        RunCheck,
    };
    return command;
}
