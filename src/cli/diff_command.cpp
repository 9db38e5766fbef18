#include <cstdio>

#include "check/map_differences.h"
#include "exit_status.h"
#include "map_files.h"
#include "map_json.h"
#include "subcommand.h"

namespace {

// As diff has them: the same, different, or trouble.
constexpr int kSame = 0;
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

Json DifferencesJson(const MapDifferences& differences) {
    Json tiles = Json::array();
    for (const TileChange& change : differences.tiles) {
        tiles.push_back({{"x", {change.tiles.left, change.tiles.right - 1}},
                         {"y", {change.tiles.top, change.tiles.bottom - 1}},
                         {"before", change.Before()},
                         {"after", change.After()}});
    }
    return {{"same", differences.Same()},     {"header", differences.header},
            {"terrain", differences.terrain}, {"tiles", tiles},
            {"rivers", differences.rivers},   {"art", differences.art}};
}

int RunDiff(const CCommandLine& line) {
    // Each load puts the map's terrain table in force; keep each one's.
    CMapDocument before;
    if (!LoadMapFile(before, line.Positionals()[0])) {
        return kTrouble;
    }
    const CTerrainTable beforeTable = theTerrainTable;
    CMapDocument after;
    if (!LoadMapFile(after, line.Positionals()[1])) {
        return kTrouble;
    }
    const MapDifferences differences = DiffMaps(before, beforeTable, after, theTerrainTable);
    if (line.Has("--json")) {
        std::printf("%s\n", JsonText(DifferencesJson(differences)).c_str());
    } else {
        for (const auto* lines : {&differences.header, &differences.terrain}) {
            for (const std::string& text : *lines) {
                std::printf("%s\n", PrintableText(text).c_str());
            }
        }
        for (const TileChange& change : differences.tiles) {
            std::printf("%s\n", PrintableText(change.Line()).c_str());
        }
        for (const auto* lines : {&differences.rivers, &differences.art}) {
            for (const std::string& text : *lines) {
                std::printf("%s\n", PrintableText(text).c_str());
            }
        }
    }
    return differences.Same() ? kSame : kDifferent;
}

}  // namespace

const Subcommand& DiffCommand() {
    static const Subcommand command{
        "diff",
        "A.gmp B.gmp [--json]",
        "say what differs between two maps",
        "Prints what differs from A to B, one line each: the file version and size, the\n"
        "terrain table and miles per tile (\"Grass: trackCost 30 → 35\"), the tiles in\n"
        "rectangles of the same change (\"tiles 40..47 × 12..15: Grass → Ocean\"), the rivers\n"
        "added and removed, and the custom art and city pictures added, removed or changed.\n"
        "Tiles that ask for a random cell are the same whatever cells they drew.\n"
        "\n"
        "Exit status, as diff has it: 0 when the maps are the same, 1 when they differ, 2 when\n"
        "a map cannot be read or the command line is wrong.\n"
        "\n"
        "Options:\n"
        "  --json            the differences as one JSON object, for tools\n",
        {{"--json", false}},
        2,
        2,
        RunDiff,
    };
    return command;
}
