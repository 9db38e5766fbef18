#include <cstdio>
#include <sstream>

#include "edit/map_editor.h"
#include "exit_status.h"
#include "map_files.h"
#include "model/terrain_type.h"
#include "subcommand.h"
#include "usage_error.h"

namespace {

// "X,Y,W,H": a rectangle of tiles.
TileRect ParseArea(const std::string& text) {
    std::istringstream in(text);
    int values[4];
    char comma = ',';
    for (int i = 0; i < 4; ++i) {
        if ((i > 0 && !(in >> comma)) || comma != ',' || !(in >> values[i])) {
            throw CUsageError("--area takes X,Y,W,H (four whole numbers), not " + text);
        }
    }
    if (!in.eof() || values[2] <= 0 || values[3] <= 0) {
        throw CUsageError("--area takes X,Y,W,H with a width and height above 0, not " + text);
    }
    return {values[0], values[1], values[0] + values[2], values[1] + values[3]};
}

// "A,B": the Grass-Ocean sheets that coasts of grass may use.
std::vector<int> ParseCoastSheets(const std::string& text) {
    std::vector<int> sheets;
    std::istringstream in(text);
    for (std::string letter; std::getline(in, letter, ',');) {
        const int sheet = letter == "A"   ? TERRAIN_TYPE_GRASS_OCEAN_A
                          : letter == "B" ? TERRAIN_TYPE_GRASS_OCEAN_B
                          : letter == "C" ? TERRAIN_TYPE_GRASS_OCEAN_C
                                          : -1;
        if (sheet < 0) {
            throw CUsageError("--coast takes the sheets A, B and C, as A,B; not " + text);
        }
        sheets.push_back(sheet);
    }
    if (sheets.empty()) {
        throw CUsageError("--coast needs at least one of the sheets A, B and C");
    }
    return sheets;
}

std::string Report(const TransitionPlan& plan) {
    std::string text = std::to_string(plan.picks.size()) + " tiles changed; " +
                       std::to_string(plan.unfit.size()) + " without a fitting cell";
    for (size_t i = 0; i < plan.unfit.size(); ++i) {
        text += (i == 0 ? ": " : " ") + std::to_string(plan.unfit[i].first) + "," +
                std::to_string(plan.unfit[i].second);
    }
    return text;
}

int RunTransitions(const CCommandLine& line) {
    const std::string& mapPath = line.Positionals()[0];
    const std::string& output = line.Value("-o");
    TransitionOptions options = TransitionOptions::Default();
    if (line.Has("--coast")) {
        options.coastSheets = ParseCoastSheets(line.Value("--coast"));
    }
    const bool hasArea = line.Has("--area");
    const TileRect area = hasArea ? ParseArea(line.Value("--area")) : TileRect{};
    CMapDocument map;
    if (!LoadMapFile(map, mapPath)) {
        return kExitFailure;
    }
    CMapEditor editor(map.art, map.overview);
    const TileRect whole{0, 0, map.grid.GetWidth(), map.grid.GetHeight()};
    const TransitionPlan plan = editor.FixTransitions(hasArea ? area : whole, options);
    std::fprintf(stderr, "%s: %s\n", kToolName, Report(plan).c_str());
    return SaveMapFile(map, output) ? kExitSuccess : kExitFailure;
}

}  // namespace

const Subcommand& TransitionsCommand() {
    static const Subcommand command{
        "transitions",
        "MAP.gmp -o OUT.gmp [--area X,Y,W,H] [--coast A,B,C]",
        "give a map its coasts, shores and mountain feet",
        "Re-chooses the transition tiles of the map, or of an area of it, from the land and\n"
        "water its tiles show, as the editor's Fix Transitions does: coasts between grass or\n"
        "desert and the sea, shores between grass and desert, the feet of the mountains. Says\n"
        "on standard error how many tiles changed and which tiles no cell fits.\n"
        "\n"
        "Options:\n"
        "  -o OUT.gmp        the map file to write\n"
        "  --area X,Y,W,H    only the W x H tiles from (X, Y)\n"
        "  --coast A,B,C     the Grass-Ocean sheets coasts of grass may use (default A,B)\n",
        {{"-o"}, {"--area"}, {"--coast"}},
        1,
        1,
        RunTransitions,
    };
    return command;
}
