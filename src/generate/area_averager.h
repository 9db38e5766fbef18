#pragma once

#include <cstdint>
#include <vector>

#include "generate/height_field.h"

// Resamples a picture's rows to the tiles of a map as they are read, one row at a time, by area
// averaging: every tile takes the mean of the pixels that fall in it. The picture is stretched
// to the map, or, cropped, its middle part with the map's proportions is taken. A tile whose
// pixels all lack data lacks data.
class CAreaAverager {
  public:
    CAreaAverager(int pictureWidth, int pictureHeight, int width, int height, bool crop);

    // Row y of the picture (pictureWidth values); hasData null when every pixel has data.
    void AddRow(int y, const float* values, const uint8_t* hasData);
    CHeightField Result() const;

  private:
    int width;
    int height;
    // The part of the picture that is used, in picture pixels.
    int left = 0;
    int top = 0;
    int usedWidth = 0;
    int usedHeight = 0;
    std::vector<int> tileOfColumn;  // by picture column inside the used part
    std::vector<double> sums;
    std::vector<uint32_t> counts;
};
