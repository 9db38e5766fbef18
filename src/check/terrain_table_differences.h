#pragma once

#include <string>
#include <vector>

#include "model/terrain_table.h"

// The fields in which two terrain tables differ, one line each as "Grass: trackCost 30 → 35"
// (the miles per tile as "milesPerTile 10 → 12"), records in type order.
std::vector<std::string> TerrainTableDifferences(const CTerrainTable& before,
                                                 const CTerrainTable& after);
// The name a report gives a type: "Grass", "Custom 3", or "type 19" for types without one.
std::string TypeName(int type);
