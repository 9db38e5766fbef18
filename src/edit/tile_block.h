#pragma once

#include <unordered_map>
#include <vector>

#include "edit/map_change.h"
#include "model/river_overlay.h"
#include "model/tile.h"
#include "model/tile_grid.h"

// A rectangle of tiles copied from a map, each with its cell and river stack, to be pasted.
class CTileBlock {
  public:
    CTileBlock() = default;
    // The tiles of rect that lie in the grid.
    static CTileBlock Copy(const CTileGrid& grid, const TileRect& rect);

    bool IsEmpty() const { return tiles.empty(); }
    int Width() const { return width; }
    int Height() const { return height; }
    const CTile& TileAt(int x, int y) const { return tiles[x + y * width]; }
    // Empty for a tile without rivers.
    const std::vector<RiverOverlay>& RiversAt(int x, int y) const;

  private:
    int width = 0;
    int height = 0;
    std::vector<CTile> tiles;
    std::unordered_map<int, std::vector<RiverOverlay>> rivers;
};

// rect cut to the grid.
TileRect ClipToGrid(const CTileGrid& grid, TileRect rect);
