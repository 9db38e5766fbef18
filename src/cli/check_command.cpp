#include <algorithm>
#include <cstdio>

#include "check/map_check.h"
#include "exit_status.h"
#include "game_data_file.h"
#include "map_json.h"
#include "mapfile/stored_map_reader.h"
#include "subcommand.h"

namespace {

// Tiles stored with type 0 or 1, which loading hides: a map with type 0 does not load, and
// type 1 (the old city terrain) loads as grass.
std::vector<MapFinding> StoredTypeFindings(const StoredMap& stored) {
    std::vector<MapFinding> findings;
    for (size_t i = 0; i < stored.tiles.size(); ++i) {
        const int type = stored.tiles[i].type;
        if (type == 0 || type == 1) {
            const int x = static_cast<int>(i / static_cast<size_t>(stored.height));
            const int y = static_cast<int>(i % static_cast<size_t>(stored.height));
            findings.push_back({x, y,
                                type == 0
                                    ? "type 0 is no terrain: the map does not load with it"
                                    : "type 1 is no terrain the game draws; it loads as grass",
                                false});
        }
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const MapFinding& a, const MapFinding& b) {
                         return a.y != b.y ? a.y < b.y : a.x < b.x;
                     });
    return findings;
}

int RunCheck(const CCommandLine& line) {
    const std::string& path = line.Positionals()[0];
    StoredMap stored;
    std::string reason;
    if (ReadStoredMap(path, stored, reason) != 0) {
        return ReportFailure("Unable to load map", path, reason);
    }
    std::vector<MapFinding> findings = StoredTypeFindings(stored);
    CMapDocument map;
    if (map.Load(path, &reason) != 0) {
        for (const MapFinding& finding : findings) {
            std::printf("error: %s\n", PrintableText(finding.Line()).c_str());
        }
        return ReportFailure("Unable to load map", path, reason);
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
    for (MapFinding& finding : CheckMap(map, theTerrainTable, compare ? &gameData : nullptr)) {
        findings.push_back(std::move(finding));
    }
    for (const MapFinding& finding : findings) {
        const char* kind = finding.informational ? "note" : strict ? "error" : "warning";
        (finding.informational ? notes : faults) += 1;
        std::printf("%s: %s\n", kind, PrintableText(finding.Line()).c_str());
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
        "open water; rivers the file cannot keep; tiles of the types 0, 1 and 18 to 21 (a map\n"
        "with type 0 does not load at all: its tiles are named, and the check fails). Notes\n"
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
