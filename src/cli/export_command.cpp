#include "exit_status.h"
#include "interchange/bitmap_interchange.h"
#include "map_document.h"
#include "overwrite_guard.h"
#include "quiet_stdout.h"
#include "staging_folder.h"
#include "subcommand.h"
#include "usage_error.h"

namespace {

constexpr const char* kFailure = "Unable to export map";

// The subtype bitmap's name puts "_s" before the first ".bmp" of the path; it must fall in the
// file name for the pair to land side by side.
void RequireBmpName(const std::string& output) {
    size_t extension = output.find(".bmp");
    if (extension == std::string::npos || extension < output.size() - FileNameOf(output).size()) {
        throw CUsageError(output +
                          " must have .bmp in its file name: the subtype bitmap is named by "
                          "putting _s before it");
    }
}

int RunExport(const CCommandLine& line) {
    const std::string& mapPath = line.Positionals()[0];
    const std::string& output = line.Positionals()[1];
    RequireBmpName(output);
    RefuseToOverwrite({mapPath}, output);
    RefuseToOverwrite({mapPath}, SubtypeFileName(output));
    CMapDocument map;
    if (!map.Load(mapPath)) {
        return kExitFailure;
    }
    std::string name = FileNameOf(output);
    return WriteStaged(output, {name, SubtypeFileName(name)}, kFailure,
                       [&](const CStagingFolder& staging, std::string& reason) {
                           CQuietStdout quiet;
                           if (ExportBitmap(map.grid, staging.PathOf(name)) == 0) {
                               return true;
                           }
                           reason = "the bitmaps could not be written";
                           return false;
                       });
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
