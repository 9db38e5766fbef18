#include "check/terrain_table_differences.h"

#include "model/terrain_fields.h"
#include "model/terrain_names.h"

namespace {

std::string Change(const std::string& what, long long before, long long after) {
    return what + " " + std::to_string(before) + " → " + std::to_string(after);
}

}  // namespace

std::string TypeName(int type) {
    const char* name = TerrainDisplayName(type);
    return name != nullptr && *name != '\0' ? name : "type " + std::to_string(type);
}

std::vector<std::string> TerrainTableDifferences(const CTerrainTable& before,
                                                 const CTerrainTable& after) {
    std::vector<std::string> lines;
    if (before.milesPerTile != after.milesPerTile) {
        lines.push_back(Change("milesPerTile", before.milesPerTile, after.milesPerTile));
    }
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        const CTerrainType& a = before.Record(type);
        const CTerrainType& b = after.Record(type);
        for (const TerrainField& field : kTerrainFields) {
            if (a.*field.value != b.*field.value) {
                lines.push_back(TypeName(type) + ": " +
                                Change(field.name, a.*field.value, b.*field.value));
            }
        }
        for (int slot = 0; slot < kResourceSlots; ++slot) {
            if (a.resources[slot] != b.resources[slot]) {
                lines.push_back(TypeName(type) + ": " +
                                Change("resources[" + std::to_string(slot) + "]", a.resources[slot],
                                       b.resources[slot]));
            }
        }
    }
    return lines;
}
