#pragma once

#include "art/map_art.h"
#include "image/dib_image.h"

// Colour of areas without art, in the view and in the overview.
inline constexpr COLORREF kNoArtColor = 0x3C3C3C;
// The overview colour of shallows and ocean, whatever the cell.
inline constexpr COLORREF kWaterOverviewColor = 0x3A2607;  // red 7, green 38, blue 58

// The overview colour of a tile: the table's colour of the built-in cell, the fixed water
// colour, the sheet colour of loaded custom art, or kNoArtColor.
COLORREF OverviewColor(const CMapArt& art, int type, int cell);

// Re-creates the one-pixel-per-tile overview picture at the grid's size and colours every tile.
void RebuildOverview(const CMapArt& art, CDibImage& picture);
// Recolours the pixel of the tile at (x, y); outside the picture nothing happens.
void UpdateOverviewTile(const CMapArt& art, CDibImage& picture, int type, int cell, int x, int y);
// Recolours the pixels of the grid's tiles [left, right) x [top, bottom) that lie in the picture.
void UpdateOverviewRect(const CMapArt& art, CDibImage& picture, int left, int top, int right,
                        int bottom);
