#pragma once

#include <cstdint>

// Terrain type numbers as tiles store them. 2 to 41 are valid on tiles; 42 and 43 name the two
// river overlay kinds where lists and palettes show them beside the terrains.
enum TerrainTypeNumber : int {
    TERRAIN_TYPE_NONE = 0,
    TERRAIN_TYPE_CITY = 1,
    TERRAIN_TYPE_SUBURB = 2,
    TERRAIN_TYPE_DESERT = 3,
    TERRAIN_TYPE_GRASS = 4,
    TERRAIN_TYPE_FARM = 5,
    TERRAIN_TYPE_WOODS = 6,
    TERRAIN_TYPE_HILLS_1 = 7,
    TERRAIN_TYPE_HILLS_2 = 8,
    TERRAIN_TYPE_MOUNTAIN_1 = 9,
    TERRAIN_TYPE_MOUNTAIN_2 = 10,
    TERRAIN_TYPE_MOUNTAIN_3 = 11,
    TERRAIN_TYPE_SWAMP = 12,
    TERRAIN_TYPE_SHALLOW = 13,
    TERRAIN_TYPE_OCEAN = 14,
    TERRAIN_TYPE_GRASS_DESERT = 15,
    TERRAIN_TYPE_GRASS_OCEAN_A = 16,
    TERRAIN_TYPE_DESERT_OCEAN = 17,
    TERRAIN_TYPE_RIVER_ON_DESERT_WIDE = 18,
    TERRAIN_TYPE_RIVER_ON_DESERT_NARROW = 19,
    TERRAIN_TYPE_RIVER_ON_GRASS_WIDE = 20,
    TERRAIN_TYPE_RIVER_ON_GRASS_NARRROW = 21,
    TERRAIN_TYPE_RIVER_CUSTOM_A = 22,
    TERRAIN_TYPE_GRASS_OCEAN_B = 23,
    TERRAIN_TYPE_GRASS_OCEAN_C = 24,
    TERRAIN_TYPE_MTN_TRANS = 25,
    TERRAIN_TYPE_CUSTOM_1 = 26,
    TERRAIN_TYPE_CUSTOM_16 = 41,
    TERRAIN_WIDE_RIVERS = 42,
    TERRAIN_NARROW_RIVERS = 43,
};

// Types 0 to 41 have game data keys and travel in map files; 42 and 43 live in memory only.
inline constexpr int kStoredTerrainTypes = 42;
inline constexpr int kTerrainTypes = 44;
inline constexpr int kCustomTypes = 16;

inline constexpr bool IsCustomType(int type) {
    return type >= TERRAIN_TYPE_CUSTOM_1 && type <= TERRAIN_TYPE_CUSTOM_16;
}

// Costs of 9999999 are the stored form of -1, which lists and dialogs show and accept instead.
inline constexpr int32_t kStoredMinusOneCost = 9999999;

// Resource slots of CTerrainType::resources and their letters "xcgtomfp".
enum ResourceSlot : int {
    RESOURCE_PLACEHOLDER = 0,
    RESOURCE_CATTLE,
    RESOURCE_GRAIN,
    RESOURCE_TIMBER,
    RESOURCE_OIL,
    RESOURCE_MINING,
    RESOURCE_FACTORY,
    RESOURCE_PORT,
};
inline constexpr int kResourceSlots = 8;
inline constexpr const char* kResourceLetters = "xcgtomfp";
enum ResourceFlag : uint8_t { RESOURCE_NO = 0, RESOURCE_ALLOWED = 1, RESOURCE_PREFERRED = 2 };

// The game properties of one terrain type. The layout is the 60-byte record of map files.
struct CTerrainType {
    int32_t typeNumber = 0;
    int32_t rightOfWayCost = 0;
    int32_t trackCost = 0;
    int32_t reserved1 = 0;
    int32_t reserved2 = 0;
    int32_t altitudeLevel = 0;
    int32_t fourthValue = 0;
    int32_t exitTable = 0;   // 0 to 3: a built-in exit table; anything else: none
    int32_t stampTable = 0;  // -1: no stamps; 0: stamp group table A; other: table B
    int32_t allowSignposts = 0;
    int32_t allowCities = 0;
    int32_t subtypeCount = 0;  // cells a random pick chooses from; 0 or less: no random pick
    int32_t setCount = 0;      // above 1: a second random set counted back from cell 80
    uint8_t resources[kResourceSlots] = {};
};
static_assert(sizeof(CTerrainType) == 60, "map files store the record as 60 bytes");
