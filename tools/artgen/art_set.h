#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "art_image.h"

// Everything the generator makes: the built-in bitmaps by resource id and the overview colour of
// every cell with art.
class CArtSet {
  public:
    CArtSet();

    void AddBitmap(int resourceId, CArtImage image);
    // Null for ids without a bitmap.
    const CArtImage* FindBitmap(int resourceId) const;
    void SetCellColour(int type, int cell, Rgb colour);

    // The pixels of every bitmap in the catalogue's order, as 24-bit DIB rows (bottom row first,
    // blue green red, rows padded to four bytes).
    std::vector<uint8_t> PixelData() const;
    // [type][cell] red, green, blue; zero where a cell has no art.
    const std::vector<uint8_t>& OverviewColours() const { return overviewColours; }

  private:
    std::map<int, CArtImage> bitmaps;
    std::vector<uint8_t> overviewColours;
};
