#include <cstdio>

#include "exit_status.h"
#include "map_files.h"
#include "map_json.h"
#include "model/terrain_names.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"
#include "subcommand.h"

namespace {

// Names and paths come from the file as they are: a name must not start a line of its own.
void PrintField(const char* label, const std::string& value) {
    std::printf("%-16s%s\n", label, PrintableText(value).c_str());
}

std::string SectionText(const MapFileLayout& layout) {
    std::string text;
    for (uint32_t offset : layout.sections) {
        text += (text.empty() ? "" : " ") + std::to_string(offset);
    }
    return text;
}

// One line per loaded slot, the label on the first.
void PrintCustomArt(const CMapArt& art) {
    const char* label = "Custom art:";
    for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
        const CCustomTerrainArt& slot = *art.CustomArtFor(type);
        if (slot.loaded) {
            PrintField(label, std::to_string(type) + " " + TerrainDisplayName(type) + ": " +
                                  slot.sourcePath);
            label = "";
        }
    }
    if (*label != '\0') {
        PrintField(label, "none");
    }
}

std::string CityArtNames(const CMapArt& art) {
    const CLibObjectList& list = art.CityArt();
    std::string names;
    for (int i = 0; i < list.GetCount(); ++i) {
        names += (names.empty() ? "" : ", ") + list.GetAt(i)->name.value_or("(unnamed)");
    }
    return names.empty() ? "none" : names;
}

std::string VerificationText(const CTileGrid& grid) {
    int errors = grid.Verify();
    return errors == 0 ? "passed" : "failed with " + std::to_string(errors) + " errors";
}

// Tiles of a custom type whose art the map does not hold show nothing in the game.
void WarnAboutTilesWithoutArt(const CMapDocument& map) {
    int counts[kCustomTypes] = {};
    const CTile* tile = map.grid.Tiles();
    const size_t tiles = static_cast<size_t>(map.grid.GetWidth()) * map.grid.GetHeight();
    for (size_t i = 0; i < tiles; ++i, ++tile) {
        if (IsCustomType(tile->type)) {
            ++counts[tile->type - TERRAIN_TYPE_CUSTOM_1];
        }
    }
    for (int slot = 0; slot < kCustomTypes; ++slot) {
        const int type = TERRAIN_TYPE_CUSTOM_1 + slot;
        if (counts[slot] > 0 && !map.art.CustomArtFor(type)->loaded) {
            ReportWarning(std::to_string(counts[slot]) + (counts[slot] == 1 ? " tile" : " tiles") +
                          " of " + TerrainDisplayName(type) + ", which has no art");
        }
    }
}

int RunInfo(const CCommandLine& line) {
    CMapDocument map;
    if (!LoadMapFile(map, line.Positionals()[0])) {
        return kExitFailure;
    }
    PrintField("Version:", map.VersionText());
    PrintField("Size:", std::to_string(map.grid.GetWidth()) + " x " +
                            std::to_string(map.grid.GetHeight()) + " tiles");
    PrintField("Sections:", SectionText(map.layout));
    PrintField("Miles per tile:", std::to_string(theTerrainTable.milesPerTile));
    PrintCustomArt(map.art);
    PrintField("City art:", CityArtNames(map.art));
    PrintField("Verification:", VerificationText(map.grid));
    WarnAboutTilesWithoutArt(map);
    return kExitSuccess;
}

}  // namespace

const Subcommand& InfoCommand() {
    static const Subcommand command{
        "info",
        "MAP.gmp",
        "describe a map file",
        "Prints the map's file version, size in tiles, section table, miles per tile, the art\n"
        "of its custom terrain types, the names of its city pictures and the result of\n"
        "verifying its tiles. Warns about tiles of a custom type that has no art.\n",
        {},
        1,
        1,
        RunInfo,
    };
    return command;
}
