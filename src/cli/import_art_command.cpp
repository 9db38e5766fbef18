#include "art/custom_terrain_art.h"
#include "bmp_problem.h"
#include "exit_status.h"
#include "map_files.h"
#include "overwrite_guard.h"
#include "subcommand.h"

namespace {

int RunImportArt(const CCommandLine& line) {
    const std::string& mapPath = line.Positionals()[0];
    const std::string& artPath = line.Positionals()[1];
    int type = line.Number("--type", TERRAIN_TYPE_CUSTOM_1, TERRAIN_TYPE_CUSTOM_16,
                           "the custom terrain types");
    const std::string& output = line.Value("-o");
    RefuseToOverwrite({artPath}, output);
    CMapDocument map;
    if (!LoadMapFile(map, mapPath)) {
        return kExitFailure;
    }
    int result = map.art.CustomArtFor(type)->Import(artPath);
    if (result != 0) {
        return ReportFailure("Unable to import art", artPath, ArtImportProblem(result, artPath));
    }
    // Tiles of the type take the new art's colour in the overview.
    map.RebuildOverview();
    return SaveMapFile(map, output) ? kExitSuccess : kExitFailure;
}

}  // namespace

const Subcommand& ImportArtCommand() {
    static const Subcommand command{
        "import-art",
        "MAP.gmp --type N ART.bmp -o OUT.gmp",
        "give a custom terrain type its art",
        "Imports a 900 x 900 picture (8, 24 or 32 bits; 81 cells of 100 x 100 pixels) as the\n"
        "art of custom terrain type N and saves the map. The type's exits are kept.\n"
        "\n"
        "Options:\n"
        "  --type N     the custom terrain type, 26 to 41\n"
        "  -o OUT.gmp   the map file to write (may be MAP.gmp itself)\n",
        {{"--type"}, {"-o"}},
        2,
        2,
        RunImportArt,
    };
    return command;
}
