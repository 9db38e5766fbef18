#include "exit_status.h"
#include "game_data_file.h"
#include "generate/seeded_heights.h"
#include "generation_arguments.h"
#include "mapfile/map_file.h"
#include "subcommand.h"
#include "usage_error.h"

namespace {

constexpr const char* kMapFileLimits = "what map files hold";

int RunGenerate(const CCommandLine& line) {
    const std::string& output = line.Value("-o");
    const int width = line.Number("--width", 20, kMaxMapSide, kMapFileLimits);
    const int height = line.Number("--height", 20, kMaxMapSide, kMapFileLimits);
    GenerationOptions options = GenerationOptionsOf(line);
    LandMask mask = LandMask::Continent;
    if (line.Has("--mask") && !LandMaskOf(line.Value("--mask"), mask)) {
        throw CUsageError("--mask must be one of continent, islands, coast, land, not '" +
                          line.Value("--mask") + "'");
    }
    if (mask == LandMask::Land && !line.Has("--land-share") && !line.Has("--sea-level")) {
        options.landShare = 1;
    }
    if (!ReadGameDataFile(GameDataPath(line))) {
        return kExitFailure;
    }
    return SaveGeneratedMap(SeededHeights(width, height, options.seed, mask), options, output);
}

std::vector<OptionSpec> GenerateOptions() {
    std::vector<OptionSpec> options = {
        {"-o"}, {"--gamedata"}, {"--width"}, {"--height"}, {"--mask"}};
    options.insert(options.end(), GenerationOptionSpecs().begin(), GenerationOptionSpecs().end());
    return options;
}

}  // namespace

const Subcommand& GenerateCommand() {
    static const std::string details =
        std::string(
            "Makes a map of a random landscape: a fractal height field from the seed, shaped by\n"
            "a mask, and the same pipeline as heightmap. The same seed and options give the same\n"
            "file, byte for byte.\n"
            "\n"
            "Options:\n"
            "  -o OUT.gmp        the map file to write\n"
            "  --gamedata INI    the game data file (default: the tarvo.ini installed with the\n"
            "                    tool)\n"
            "  --width W         20 to 1000 tiles\n"
            "  --height H        20 to 1000 tiles\n"
            "  --mask MASK       continent, islands, coast or land (default continent)\n") +
        kGenerationOptionsHelp;
    static const Subcommand command{
        "generate",
        "-o OUT.gmp --width W --height H [--seed N] [--mask MASK] [OPTIONS]",
        "make a map of a random landscape",
        details.c_str(),
        GenerateOptions(),
        0,
        0,
        RunGenerate,
    };
    return command;
}
