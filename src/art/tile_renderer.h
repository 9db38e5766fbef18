#pragma once

#include "art/cell_renderer.h"

// Draws the map tiles [left, right) x [top, bottom) at tileSize pixels per tile (50, 25 or 10),
// tile (left, top) landing at target pixel (x, y); whatever falls outside the target is clipped.
// Built-in cells come from their sheets, custom cells from half, quarter or tenth of the type's
// art, river pieces go on top with magenta transparent, and tiles outside the map or
// without art are 0x3C3C3C.
void RenderTiles(const CMapArt& art, int tileSize, int left, int top, int right, int bottom,
                 const RgbTarget& target, int x, int y);
