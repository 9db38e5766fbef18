#include "map_text.h"

#include <string>

#include "check/map_differences.h"
#include "check/terrain_table_differences.h"
#include "map_json.h"
#include "model/terrain_table.h"

void WriteMapText(const CMapDocument& map, std::FILE* out) {
    const CTileGrid& grid = map.grid;
    std::fprintf(out, "version %s\nsize %d %d\nmilesPerTile %d\n", map.VersionText().c_str(),
                 grid.GetWidth(), grid.GetHeight(), theTerrainTable.milesPerTile);
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        const CTerrainType& r = theTerrainTable.Record(type);
        std::fprintf(out,
                     "terrain %d %s: typeNumber %d rightOfWayCost %d trackCost %d reserved1 %d "
                     "reserved2 %d altitudeLevel %d fourthValue %d exitTable %d stampTable %d "
                     "allowSignposts %d allowCities %d subtypeCount %d setCount %d resources",
                     type, TypeName(type).c_str(), r.typeNumber, r.rightOfWayCost, r.trackCost,
                     r.reserved1, r.reserved2, r.altitudeLevel, r.fourthValue, r.exitTable,
                     r.stampTable, r.allowSignposts, r.allowCities, r.subtypeCount, r.setCount);
        for (uint8_t resource : r.resources) {
            std::fprintf(out, " %d", resource);
        }
        std::fputc('\n', out);
    }
    for (int y = 0; y < grid.GetHeight(); ++y) {
        std::fprintf(out, "row %d:", y);
        const CTile* row = grid.GetTileAt(0, y);
        for (int x = 0; x < grid.GetWidth(); ++x) {
            std::fprintf(out, " %d:%d", row[x].type, row[x].requestedSubtype);
        }
        std::fputc('\n', out);
    }
    for (const RiverEntry& entry : map.layout.rivers) {
        std::fprintf(out, "river %d,%d %s %d\n", entry.x, entry.y,
                     entry.piece.kind == 0 ? "wide" : "narrow", entry.piece.cell);
    }
    for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
        const CCustomTerrainArt& slot = *map.art.CustomArtFor(type);
        if (!slot.loaded) {
            continue;
        }
        std::string exits;
        for (uint8_t mask : slot.exitMasks) {
            char hex[3];
            std::snprintf(hex, sizeof(hex), "%02x", mask);
            exits += hex;
        }
        std::fprintf(out, "custom %d %s: pixels %s exits %s source %s\n", type,
                     TypeName(type).c_str(), PictureHash(slot.full).c_str(), exits.c_str(),
                     JsonText(slot.sourcePath).c_str());
    }
    const CLibObjectList& cityArt = map.art.CityArt();
    for (int i = 0; i < cityArt.GetCount(); ++i) {
        if (const auto* entry = static_cast<const CTerrainArt*>(cityArt.GetAt(i))) {
            std::fprintf(out, "city %d %s: %d x %d pixels %s\n", i,
                         JsonText(entry->name.value_or("")).c_str(), entry->full.GetWidth(),
                         entry->full.GetHeight(), PictureHash(entry->full).c_str());
        }
    }
}
