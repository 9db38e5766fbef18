#include <cstddef>
#include <cstdint>

#include "bmp_problem.h"
#include "exit_status.h"
#include "map_files.h"
#include "overwrite_guard.h"
#include "subcommand.h"

namespace {

int RunAddCityArt(const CCommandLine& line) {
    const std::vector<std::string>& arguments = line.Positionals();
    const std::string& output = line.Value("-o");
    RefuseToOverwrite({arguments.begin() + 1, arguments.end()}, output);
    CMapDocument map;
    if (!LoadMapFile(map, arguments[0])) {
        return kExitFailure;
    }
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (!map.art.AddCityArt(arguments[i])) {
            return ReportFailure("Unable to add city art", arguments[i],
                                 BmpProblemOf(arguments[i]));
        }
    }
    return SaveMapFile(map, output) ? kExitSuccess : kExitFailure;
}

}  // namespace

const Subcommand& AddCityArtCommand() {
    static const Subcommand command{
        "add-city-art",
        "MAP.gmp PICTURE.bmp... -o OUT.gmp",
        "add custom city pictures to a map",
        "Appends the pictures to the map's custom city art, in the order given, and saves the\n"
        "map. Nothing is saved if any picture cannot be read.\n"
        "\n"
        "Options:\n"
        "  -o OUT.gmp   the map file to write (may be MAP.gmp itself)\n",
        {{"-o"}},
        2,
        SIZE_MAX,
        RunAddCityArt,
    };
    return command;
}
