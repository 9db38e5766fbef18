#include <cstdio>

#include "exit_status.h"
#include "map_files.h"
#include "map_json.h"
#include "subcommand.h"

namespace {

int RunDump(const CCommandLine& line) {
    CMapDocument map;
    if (!LoadMapFile(map, line.Positionals()[0])) {
        return kExitFailure;
    }
    WriteMapJson(map, stdout);
    return kExitSuccess;
}

}  // namespace

const Subcommand& DumpCommand() {
    static const Subcommand command{
        "dump",
        "MAP.gmp",
        "print a map file as JSON",
        "Prints everything the map file holds as one JSON object on standard output:\n"
        "  version       the file version, \"1.0.0.75\"\n"
        "  milesPerTile  the map scale\n"
        "  terrain       terrain records 0 to 41, resources as eight values 0, 1 or 2\n"
        "  width, height the size in tiles\n"
        "  tiles         row by row, [type, requestedSubtype, subtype, auxByte]\n"
        "  overlays      river pieces in file order, [x, y, kind, cell]\n"
        "  customArt     loaded custom art: type, sourcePath, 81 exitMasks\n"
        "  cityArt       city pictures: name, width, height, bitCount\n",
        {},
        1,
        1,
        RunDump,
    };
    return command;
}
