#pragma once

#include <cstdint>

#include "model/terrain_type.h"

// The 32-bit fields of a terrain record by the names the tool and the checks show them with.
struct TerrainField {
    const char* name;
    int32_t CTerrainType::*value;
};

inline constexpr TerrainField kTerrainFields[] = {
    {"typeNumber", &CTerrainType::typeNumber},   {"rightOfWayCost", &CTerrainType::rightOfWayCost},
    {"trackCost", &CTerrainType::trackCost},     {"reserved1", &CTerrainType::reserved1},
    {"reserved2", &CTerrainType::reserved2},     {"altitudeLevel", &CTerrainType::altitudeLevel},
    {"fourthValue", &CTerrainType::fourthValue}, {"exitTable", &CTerrainType::exitTable},
    {"stampTable", &CTerrainType::stampTable},   {"allowSignposts", &CTerrainType::allowSignposts},
    {"allowCities", &CTerrainType::allowCities}, {"subtypeCount", &CTerrainType::subtypeCount},
    {"setCount", &CTerrainType::setCount},
};
