#include "bmp_problem.h"
#include "exit_status.h"
#include "game_data_file.h"
#include "interchange/bitmap_interchange.h"
#include "map_files.h"
#include "overwrite_guard.h"
#include "subcommand.h"

namespace {

int RunImport(const CCommandLine& line) {
    const std::string& picture = line.Positionals()[0];
    const std::string gameData = GameDataPath(line);
    const std::string& output = line.Value("-o");
    RefuseToOverwrite({picture, SubtypeFileName(picture), gameData}, output);
    if (!ReadGameDataFile(gameData)) {
        return kExitFailure;
    }
    CMapDocument map;
    int result = map.Import(picture);
    if (IsImportWarning(result)) {
        ReportWarning(ImportMessage(result));
    } else if (result != 0) {
        std::string reason = result == kImportCannotOpen ? BmpProblemOf(picture) : "";
        return ReportFailure(ImportMessage(result), picture, reason);
    }
    return SaveMapFile(map, output) ? kExitSuccess : kExitFailure;
}

}  // namespace

const Subcommand& ImportCommand() {
    static const Subcommand command{
        "import",
        "COLOR.bmp [--gamedata INI] -o OUT.gmp",
        "make a map from a bitmap pair",
        "Makes a map from a 24-bit colour bitmap, one pixel per tile, whose colours give the\n"
        "terrain types, and the 8-bit subtype bitmap beside it (COLOR_s.bmp), whose values\n"
        "1 to 81 give the art cells; without a subtype bitmap the cells are random. Unknown\n"
        "colours and subtypes are reported as warnings and the map is still made.\n"
        "\n"
        "Options:\n"
        "  --gamedata INI   the game data file (default: the tarvo.ini installed with the\n"
        "                   tool)\n"
        "  -o OUT.gmp       the map file to write\n",
        {{"--gamedata"}, {"-o"}},
        1,
        1,
        RunImport,
    };
    return command;
}
