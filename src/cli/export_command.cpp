#include "exit_status.h"
#include "interchange/bitmap_interchange.h"
#include "map_files.h"
#include "overwrite_guard.h"
#include "subcommand.h"

namespace {

constexpr const char* kFailure = "Unable to export map";

int RunExport(const CCommandLine& line) {
    const std::string& mapPath = line.Positionals()[0];
    const std::string& output = line.Positionals()[1];
    RefuseToOverwrite({mapPath}, output);
    RefuseToOverwrite({mapPath}, SubtypeFileName(output));
    CMapDocument map;
    if (!LoadMapFile(map, mapPath)) {
        return kExitFailure;
    }
    std::string reason;
    if (ExportBitmap(map.grid, output, &reason) != 0) {
        return ReportFailure(kFailure, output, reason);
    }
    return kExitSuccess;
}

}  // namespace

const Subcommand& ExportCommand() {
    static const Subcommand command{
        "export",
        "MAP.gmp OUT.bmp",
        "write a map as a bitmap pair",
        "Writes the map as a 24-bit colour bitmap, one pixel per tile, and the 8-bit subtype\n"
        "bitmap beside it, named with _s before .bmp (OUT_s.bmp), as the editor's Export to\n"
        "Bitmap does. Neither file is written unless both can be.\n",
        {},
        2,
        2,
        RunExport,
    };
    return command;
}
