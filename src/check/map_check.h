#pragma once

#include <string>
#include <vector>

#include "document/map_document.h"
#include "model/terrain_table.h"

// One thing in a map that the game or a player would trip over, at a tile or in the map as a
// whole (x and y -1); informational findings (a terrain table of its own) are no faults.
struct MapFinding {
    int x = -1;
    int y = -1;
    std::string text;
    bool informational = false;

    // "tile 12,40: Custom 3 has no art", or the text alone for the map as a whole.
    std::string Line() const;
};

// Checks a map that uses table: tiles of a custom type without art; cells without art or
// beyond a type's random count; stamp cells placed by hand whose partners are missing (those of
// the transition sheets, which the terrain brush places alone on purpose, only counted);
// transition tiles whose boundary points disagree with a neighbour; rivers whose exits run into
// a tile without a river and not into open water; rivers the map file cannot keep; tiles of the
// types 0, 1 and 18 to 21; and, when gameData is given, how the table differs from it. Tiles in
// row order first, then the map as a whole.
std::vector<MapFinding> CheckMap(const CMapDocument& map, const CTerrainTable& table,
                                 const CTerrainTable* gameData);
