#pragma once

#include <cstdint>

#include "art/map_art.h"

// Pixels to draw into: 0xFFRRGGBB (Qt's RGB32), top row first, stride counted in pixels.
struct RgbTarget {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// Draws cell 0 to 80 of a terrain type at cellSize pixels (50, 25, 10 or 5) with its top-left
// corner at target pixel (x, y), clipped to the target: built-in types from their sheets, custom
// types from half (50), quarter (25), tenth (10) or the 5-pixel copy of their art. False, with
// nothing drawn, when there is no such art.
bool RenderCell(const CMapArt& art, int type, int cell, int cellSize, const RgbTarget& target,
                int x, int y);

// Draws a river piece at cellSize pixels (50, 25, 10 or 5) over what the target holds, leaving it
// as it is under the piece's transparent pixels; nothing for pieces outside 0 to 80.
void RenderRiverPiece(const RiverOverlay& item, int cellSize, const RgbTarget& target, int x,
                      int y);

// Fills the cellSize square at (x, y), clipped to the target.
void FillCell(const RgbTarget& target, int x, int y, int cellSize, uint32_t color);
