#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "edit/map_change.h"
#include "transitions/terrain_families.h"

class CTileGrid;

// The terrain at the corners of a rectangle of tiles: (width + 1) x (height + 1) corners, corner
// (x, y) being the top-left corner of tile (x, y). The tiles of the map stand between them:
// corners read back from the tiles give each tile the four corners it shows.
class CCornerField {
  public:
    // The corners of the tiles of rect (inside the grid), read back from the tiles around each
    // corner: a plain tile gives its type, a transition tile the type of its open or closed
    // side as its exit mask says. The majority wins, side by side as the families divide the
    // land (water or land, then mountain or low ground, then the type), an even split going
    // to the open side.
    static CCornerField ReadBack(const CTileGrid& grid, const TileRect& rect);
    // The corners of the tiles of rect, all of type, to be set one by one.
    static CCornerField Filled(const TileRect& rect, uint8_t type);

    const TileRect& Rect() const { return rect; }
    // Corner (x, y) in map corners, inside the field.
    uint8_t At(int x, int y) const { return corners[Index(x, y)]; }
    void Set(int x, int y, uint8_t type) { corners[Index(x, y)] = type; }
    bool Contains(int x, int y) const {
        return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
    }
    // The four corners of tile (x, y) of the rect.
    TileCorners CornersOf(int x, int y) const;

  private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y - rect.top) * (rect.Width() + 1) + (x - rect.left);
    }

    TileRect rect;
    std::vector<uint8_t> corners;
};
