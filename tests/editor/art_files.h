#pragma once

#include <string>

#include "image/dib_image.h"

// The colour (0x00RRGGBB) of art cell `cell` in pictures written by WriteCellArt; every cell of
// a sheet gets a different one.
uint32_t CellArtColor(int cell);

// Writes a side x side 24-bit BMP whose 100-pixel cells, nine to a row, are filled with
// CellArtColor; returns the path.
std::string WriteCellArt(const std::string& path, int side);

// A pixel of a 24-bit picture as 0x00RRGGBB, y from the top.
uint32_t PixelRgb(const CDibImage& picture, int x, int y);
