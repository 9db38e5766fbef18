#include <cstdio>
#include <sstream>

#include "edit/map_editor.h"
#include "exit_status.h"
#include "map_files.h"
#include "mapfile/map_file.h"
#include "subcommand.h"
#include "usage_error.h"

namespace {

// "X,Y:X,Y:...": the tiles of the path.
TilePath ParsePath(const std::string& text) {
    TilePath path;
    std::istringstream in(text);
    for (std::string tile; std::getline(in, tile, ':');) {
        std::istringstream numbers(tile);
        int x;
        int y;
        char comma;
        if (!(numbers >> x >> comma >> y) || comma != ',' || !numbers.eof()) {
            throw CUsageError("--path takes tiles X,Y separated by colons, not " + text);
        }
        path.emplace_back(x, y);
    }
    if (path.empty()) {
        throw CUsageError("--path needs at least one tile");
    }
    return path;
}

std::string TileText(std::pair<int, int> tile) {
    return std::to_string(tile.first) + "," + std::to_string(tile.second);
}

int RunRiver(const CCommandLine& line) {
    const std::string& mapPath = line.Positionals()[0];
    const std::string& output = line.Value("-o");
    const int kind =
        line.Choice("--kind", {"wide", "narrow"}) == "wide" ? kWideRiver : kNarrowRiver;
    const TilePath path = ParsePath(line.Value("--path"));
    CMapDocument map;
    if (!LoadMapFile(map, mapPath)) {
        return kExitFailure;
    }
    for (size_t i = 0; i < path.size(); ++i) {
        if (!map.grid.Contains(path[i].first, path[i].second)) {
            return ReportFailure("Unable to draw the river", mapPath,
                                 "tile " + TileText(path[i]) + " lies outside the map");
        }
        if (i > 0 && !AreEdgeNeighbours(path[i - 1], path[i])) {
            return ReportFailure("Unable to draw the river", mapPath,
                                 "tiles " + TileText(path[i - 1]) + " and " + TileText(path[i]) +
                                     " are not edge neighbours");
        }
    }
    CMapEditor editor(map.art, map.overview);
    const RiverPlan plan = editor.DrawRiver(kind, path, line.Has("--erase"));
    if (plan.unstorable) {
        ReportWarning(UnstorableRiverText(plan.unstorable->first, plan.unstorable->second));
    }
    return SaveMapFile(map, output) ? kExitSuccess : kExitFailure;
}

}  // namespace

const Subcommand& RiverCommand() {
    static const Subcommand command{
        "river",
        "MAP.gmp -o OUT.gmp --kind wide|narrow --path X,Y:X,Y:... [--erase]",
        "draw or erase a river along a path of tiles",
        "Draws a river through the listed tiles as the editor's River Brush does: pieces whose\n"
        "exits join along the path, a source where it starts on land, a mouth by open water\n"
        "(where the path reaches the sea it ends), forks and junctions where it meets a river\n"
        "of its kind. Consecutive tiles must share an edge.\n"
        "\n"
        "Options:\n"
        "  -o OUT.gmp        the map file to write\n"
        "  --kind KIND       wide or narrow\n"
        "  --path X,Y:...    the tiles of the river, in order\n"
        "  --erase           erase the kind's river along the path and mend the ends\n",
        {{"-o"}, {"--kind"}, {"--path"}, {"--erase", false}},
        1,
        1,
        RunRiver,
    };
    return command;
}
