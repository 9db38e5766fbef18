#pragma once

#include <vector>

// A rectangle of tiles, [left, right) x [top, bottom).
struct TileRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const TileRect&) const = default;
    bool IsEmpty() const { return left >= right || top >= bottom; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// What an edit changed, done, undone or redone: the views repaint only that.
struct MapChange {
    std::vector<TileRect> tiles;  // tiles whose terrain, cell or rivers changed
    bool terrainTable = false;    // a terrain record or the miles per tile
    bool customArt = false;       // custom terrain art: the whole map may look different
};
