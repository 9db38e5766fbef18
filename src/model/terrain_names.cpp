#include "model/terrain_names.h"

#include "model/terrain_type.h"

namespace {

constexpr const char* kKeys[kStoredTerrainTypes] = {
    "TERRAIN_TYPE_NONE",
    "TERRAIN_TYPE_CITY",
    "TERRAIN_TYPE_SUBURB",
    "TERRAIN_TYPE_DESERT",
    "TERRAIN_TYPE_GRASS",
    "TERRAIN_TYPE_FARM",
    "TERRAIN_TYPE_WOODS",
    "TERRAIN_TYPE_HILLS_1",
    "TERRAIN_TYPE_HILLS_2",
    "TERRAIN_TYPE_MOUNTAIN_1",
    "TERRAIN_TYPE_MOUNTAIN_2",
    "TERRAIN_TYPE_MOUNTAIN_3",
    "TERRAIN_TYPE_SWAMP",
    "TERRAIN_TYPE_SHALLOW",
    "TERRAIN_TYPE_OCEAN",
    "TERRAIN_TYPE_GRASS_DESERT",
    "TERRAIN_TYPE_GRASS_OCEAN_A",
    "TERRAIN_TYPE_DESERT_OCEAN",
    "TERRAIN_TYPE_RIVER_ON_DESERT_WIDE",
    "TERRAIN_TYPE_RIVER_ON_DESERT_NARROW",
    "TERRAIN_TYPE_RIVER_ON_GRASS_WIDE",
    "TERRAIN_TYPE_RIVER_ON_GRASS_NARRROW",  // three R, as the game spells it
    "TERRAIN_TYPE_RIVER_CUSTOM_A",
    "TERRAIN_TYPE_GRASS_OCEAN_B",
    "TERRAIN_TYPE_GRASS_OCEAN_C",
    "TERRAIN_TYPE_MTN_TRANS",
    "TERRAIN_TYPE_CUSTOM_1",
    "TERRAIN_TYPE_CUSTOM_2",
    "TERRAIN_TYPE_CUSTOM_3",
    "TERRAIN_TYPE_CUSTOM_4",
    "TERRAIN_TYPE_CUSTOM_5",
    "TERRAIN_TYPE_CUSTOM_6",
    "TERRAIN_TYPE_CUSTOM_7",
    "TERRAIN_TYPE_CUSTOM_8",
    "TERRAIN_TYPE_CUSTOM_9",
    "TERRAIN_TYPE_CUSTOM_10",
    "TERRAIN_TYPE_CUSTOM_11",
    "TERRAIN_TYPE_CUSTOM_12",
    "TERRAIN_TYPE_CUSTOM_13",
    "TERRAIN_TYPE_CUSTOM_14",
    "TERRAIN_TYPE_CUSTOM_15",
    "TERRAIN_TYPE_CUSTOM_16",
};

constexpr const char* kDisplayNames[kTerrainTypes] = {
    "",
    "",
    "Suburb",
    "Desert",
    "Grass",
    "Farm",
    "Woods",
    "Low Hills",
    "High Hills",
    "Low Mountain",
    "Med Mountain",
    "High Mountain",
    "Swamp",
    "Shallows",
    "Ocean",
    "Grass-Desert",
    "Grass-Ocean A",
    "Desert-Ocean",
    "",
    "",
    "",
    "",
    "Custom Rivers",
    "Grass-Ocean B",
    "Grass-Ocean C",
    "Mountain Trans",
    "Custom 1",
    "Custom 2",
    "Custom 3",
    "Custom 4",
    "Custom 5",
    "Custom 6",
    "Custom 7",
    "Custom 8",
    "Custom 9",
    "Custom 10",
    "Custom 11",
    "Custom 12",
    "Custom 13",
    "Custom 14",
    "Custom 15",
    "Custom 16",
    "Wide Rivers",
    "Narrow Rivers",
};

}  // namespace

const char* TerrainKey(int type) {
    return type >= 0 && type < kStoredTerrainTypes ? kKeys[type] : nullptr;
}

const char* TerrainDisplayName(int type) {
    return type >= 0 && type < kTerrainTypes ? kDisplayNames[type] : "";
}
