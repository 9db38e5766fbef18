#pragma once

#include <string>

#include "art/map_art.h"

// Costs as lists and dialogs show them: the stored 9999999 is -1.
int DisplayedCost(int storedCost);
int StoredCost(int displayedCost);

// The terrain list's line of a type: name, level, cities, signposts, right-of-way and track
// costs, resources, tab-separated; custom types add the path of their art or "Unused".
std::string RowText(const CMapArt& art, int type);

// The header line of the terrain list.
inline constexpr const char* kTerrainListHeader =
    "Name\tLevel\tCity?\tSigns?\tROW\tTrack\tResources";

// The types the terrain list shows, in its order: 2 to 17, then 22 to 43.
inline constexpr int kTerrainListTypes[] = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                            15, 16, 17, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31,
                                            32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43};
