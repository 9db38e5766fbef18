#pragma once

#include <string>
#include <vector>

#include "document/map_document.h"
#include "edit/map_change.h"
#include "model/terrain_table.h"

// A rectangle of tiles that all changed the same way.
struct TileChange {
    TileRect tiles;
    // What the tiles asked for and ask for now.
    int beforeType = 0;
    int beforeRequest = 0;
    int afterType = 0;
    int afterRequest = 0;

    std::string Before() const;
    std::string After() const;
    // "tiles 40..47 × 12..15: Grass → Ocean"
    std::string Line() const;
};

// What differs between two maps, in the words a designer reads: the file version and size, the
// terrain table and miles per tile ("Grass: trackCost 30 → 35"), the tiles in rectangles of the
// same change, the rivers added and removed, and the custom art and city pictures added,
// removed or changed (told apart by their pixels). Tiles that ask for a random cell are the
// same whatever cells they drew.
struct MapDifferences {
    std::vector<std::string> header;
    std::vector<std::string> terrain;
    std::vector<TileChange> tiles;
    std::vector<std::string> rivers;
    std::vector<std::string> art;

    bool Same() const;
};

MapDifferences DiffMaps(const CMapDocument& before, const CTerrainTable& beforeTable,
                        const CMapDocument& after, const CTerrainTable& afterTable);

// What a tile asks for: "Grass" for a random cell, "Grass (second set)" for a random cell of
// the second set, "Grass cell 5" for an exact one.
std::string TileRequestText(int type, int request);
// A hash of a picture's size and pixels, as 16 hex digits.
std::string PictureHash(const CDibImage& picture);
