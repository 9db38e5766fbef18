#include <cstdio>

#include "exit_status.h"
#include "map_files.h"
#include "map_json.h"
#include "map_text.h"
#include "mapfile/stored_map_reader.h"
#include "stored_map_json.h"
#include "subcommand.h"

namespace {

// Only a map the loader reads is dumped; its records are then read as they are stored.
int DumpComplete(const std::string& path) {
    StoredMap stored;
    std::string reason;
    if (ReadStoredMap(path, stored, reason) != 0) {
        return ReportFailure("Unable to load map", path, reason);
    }
    std::fputs(JsonText(StoredMapJson(stored)).c_str(), stdout);
    std::fputc('\n', stdout);
    return kExitSuccess;
}

int RunDump(const CCommandLine& line) {
    const std::string& path = line.Positionals()[0];
    {
        CMapDocument map;
        if (!LoadMapFile(map, path)) {
            return kExitFailure;
        }
        if (line.Has("--text")) {
            WriteMapText(map, stdout);
            return kExitSuccess;
        }
        if (!line.Has("--complete")) {
            WriteMapJson(map, stdout);
            return kExitSuccess;
        }
    }
    return DumpComplete(path);
}

}  // namespace

const Subcommand& DumpCommand() {
    static const Subcommand command{
        "dump",
        "[--complete | --text] MAP.gmp",
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
        "  --complete   everything it takes to build the same file again, byte for byte:\n"
        "               the header and section table, every record as stored, pictures\n"
        "               and art as base64, tiles as rows of \"type:request\" strings, and\n"
        "               the bytes no record covers (see 'build')\n"
        "  --text       lines of text for version control's diff instead: the version,\n"
        "               size and miles per tile, a line per terrain record, per tile row\n"
        "               (type:request of each tile), per river piece, and per custom art\n"
        "               slot and city picture with a hash of its pixels\n",
        {{"--complete", false}, {"--text", false}},
        1,
        1,
        RunDump,
    };
    return command;
}
