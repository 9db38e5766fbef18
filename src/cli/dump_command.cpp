#include <cstdio>

#include "exit_status.h"
#include "map_files.h"
#include "map_json.h"
#include "map_text.h"
#include "subcommand.h"

namespace {

int RunDump(const CCommandLine& line) {
    CMapDocument map;
    if (!LoadMapFile(map, line.Positionals()[0])) {
        return kExitFailure;
    }
    if (line.Has("--text")) {
        WriteMapText(map, stdout);
    } else {
        WriteMapJson(map, stdout);
    }
    return kExitSuccess;
}

}  // namespace

const Subcommand& DumpCommand() {
    static const Subcommand command{
        "dump",
        "MAP.gmp [--text]",
        "print a map file as JSON",
        "Prints everything the map file holds as one JSON object on standard output:\n"
        "  version       the file version, \"1.0.0.75\"\n"
        "  milesPerTile  the map scale\n"
        "  terrain       terrain records 0 to 41, resources as eight values 0, 1 or 2\n"
        "  width, height the size in tiles\n"
        "  tiles         row by row, [type, requestedSubtype, subtype, auxByte]\n"
        "  overlays      river pieces in file order, [x, y, kind, cell]\n"
        "  customArt     loaded custom art: type, sourcePath, 81 exitMasks\n"
        "  cityArt       city pictures: name, width, height, bitCount\n"
        "\n"
        "Options:\n"
        "  --text            lines of text for version control's diff instead: the version,\n"
        "                    size and miles per tile, a line per terrain record, per tile row\n"
        "                    (type:request of each tile), per river piece, and per custom art\n"
        "                    slot and city picture with a hash of its pixels\n",
        {{"--text", false}},
        1,
        1,
        RunDump,
    };
    return command;
}
