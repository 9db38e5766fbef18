#include <algorithm>

#include "exit_status.h"
#include "game_data_file.h"
#include "generate/height_picture.h"
#include "generation_arguments.h"
#include "interchange/bitmap_interchange.h"
#include "overwrite_guard.h"
#include "subcommand.h"

namespace {

constexpr const char* kNewMapLimits = "the limits of the editor's New Map Size dialog";

int RunHeightmap(const CCommandLine& line) {
    const std::string& picture = line.Positionals()[0];
    const std::string& output = line.Value("-o");
    const std::string gameData = GameDataPath(line);
    const GenerationOptions options = GenerationOptionsOf(line);
    RefuseToOverwrite({picture, gameData}, output);
    int pictureWidth = 0;
    int pictureHeight = 0;
    std::string reason;
    if (!PeekHeightPicture(picture, pictureWidth, pictureHeight, reason)) {
        return ReportFailure("Unable to read the heights", picture, reason);
    }
    int width = 0;
    int height = 0;
    FittedMapSize(pictureWidth, pictureHeight, width, height);
    width = line.Has("--width") ? line.Number("--width", kMinMapSide, kMaxMapWidth, kNewMapLimits)
                                : width;
    height = line.Has("--height")
                 ? line.Number("--height", kMinMapSide, kMaxMapHeight, kNewMapLimits)
                 : height;
    if (!ReadGameDataFile(gameData)) {
        return kExitFailure;
    }
    CHeightField heights;
    if (!ReadHeightPicture(picture, width, height, line.Has("--crop"), heights, reason)) {
        return ReportFailure("Unable to read the heights", picture, reason);
    }
    return SaveGeneratedMap(heights, options, output);
}

std::vector<OptionSpec> HeightmapOptions() {
    std::vector<OptionSpec> options = {
        {"-o"}, {"--gamedata"}, {"--width"}, {"--height"}, {"--crop", false}};
    options.insert(options.end(), GenerationOptionSpecs().begin(), GenerationOptionSpecs().end());
    return options;
}

}  // namespace

const Subcommand& HeightmapCommand() {
    static const std::string details =
        std::string(
            "Makes a map from a picture of heights: a grayscale PNG of 8 or 16 bits, a TIFF of\n"
            "8- or 16-bit integers or 32-bit floats (GDAL's no-data value is sea), or an 8-bit\n"
            "BMP. The picture is resampled to the tiles; the sea, hills and mountains follow\n"
            "the heights, with coasts, mountain feet, rivers running down to the sea, woods,\n"
            "farms and swamps, as the editor's New from Heightmap does.\n"
            "\n"
            "Options:\n"
            "  -o OUT.gmp        the map file to write\n"
            "  --gamedata INI    the game data file (default: the tarvo.ini installed with the\n"
            "                    tool)\n"
            "  --width W         20 to 192 tiles (default: the picture's proportions)\n"
            "  --height H        20 to 112 tiles\n"
            "  --crop            take the picture's middle with the map's proportions instead of\n"
            "                    stretching it\n") +
        kGenerationOptionsHelp;
    static const Subcommand command{
        "heightmap",
        "IN -o OUT.gmp [--width W --height H] [--crop] [OPTIONS]",
        "make a map from a picture of heights",
        details.c_str(),
        HeightmapOptions(),
        1,
        1,
        RunHeightmap,
    };
    return command;
}
