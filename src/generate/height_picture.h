#pragma once

#include <string>

#include "generate/height_field.h"

// A picture of heights: a grayscale PNG of 8 or 16 bits, a TIFF of 8- or 16-bit integers or
// 32-bit floats (in strips or tiles, as elevation models come; GDAL's no-data value counts as
// sea), or an 8-bit BMP (the grey of each pixel's colour).

// The picture's size; false, with reason saying why, for a picture that is none of these or is
// damaged.
bool PeekHeightPicture(const std::string& path, int& width, int& height, std::string& reason);

// The picture's heights resampled to width x height tiles (see CAreaAverager), read a row at a
// time so that a large picture never needs its own size in memory. False, with reason, for a
// picture that cannot be read; heights is then left alone.
bool ReadHeightPicture(const std::string& path, int width, int height, bool crop,
                       CHeightField& heights, std::string& reason);

// The largest map size the editor's New admits with the proportions of a picture.
void FittedMapSize(int pictureWidth, int pictureHeight, int& width, int& height);
