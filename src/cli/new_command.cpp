#include "exit_status.h"
#include "game_data_file.h"
#include "interchange/bitmap_interchange.h"
#include "map_files.h"
#include "model/terrain_type.h"
#include "overwrite_guard.h"
#include "subcommand.h"

namespace {

constexpr const char* kNewMapLimits = "the limits of the editor's New Map Size dialog";

int FillType(const std::string& fill) {
    if (fill == "grass") {
        return TERRAIN_TYPE_GRASS;
    }
    return fill == "desert" ? TERRAIN_TYPE_DESERT : TERRAIN_TYPE_OCEAN;
}

int RunNew(const CCommandLine& line) {
    int width = line.Number("--width", kMinMapSide, kMaxMapWidth, kNewMapLimits);
    int height = line.Number("--height", kMinMapSide, kMaxMapHeight, kNewMapLimits);
    int fillType = FillType(line.Choice("--fill", {"grass", "desert", "ocean"}));
    const std::string gameData = GameDataPath(line);
    const std::string& output = line.Value("-o");
    RefuseToOverwrite({gameData}, output);
    if (!ReadGameDataFile(gameData)) {
        return kExitFailure;
    }
    CMapDocument map;
    if (!map.MakeNew(width, height, fillType)) {
        return ReportFailure("Unable to save map", output, "out of memory for the tiles");
    }
    return SaveMapFile(map, output) ? kExitSuccess : kExitFailure;
}

}  // namespace

const Subcommand& NewCommand() {
    static const Subcommand command{
        "new",
        "[--gamedata INI] --width W --height H --fill grass|desert|ocean -o OUT.gmp",
        "make a new map",
        "Makes a map of W x H tiles filled with one terrain, as the editor's New does, with\n"
        "the terrain table of the game data file, and saves it.\n"
        "\n"
        "Options:\n"
        "  --gamedata INI   the game data file (default: the tarvo.ini installed with the\n"
        "                   tool)\n"
        "  --width W        20 to 192 tiles\n"
        "  --height H       20 to 112 tiles\n"
        "  --fill TERRAIN   grass, desert or ocean\n"
        "  -o OUT.gmp       the map file to write\n",
        {{"--gamedata"}, {"--width"}, {"--height"}, {"--fill"}, {"-o"}},
        0,
        0,
        RunNew,
    };
    return command;
}
