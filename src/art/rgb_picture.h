#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A picture ready for drawing: 0xFFRRGGBB pixels (Qt's RGB32), top row first. In river pieces
// the transparent pixels are 0 (no alpha), so a draw copies exactly the pixels with alpha.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    bool IsEmpty() const { return pixels.empty(); }
    const uint32_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
};

// Every factor-th pixel of every factor-th row, as a colour-on-colour stretch to 1 / factor of
// the size picks (2 for the palettes' 25-pixel cells, 5 for the 10-pixel zoom).
RgbPicture ShrinkByDropping(const RgbPicture& picture, int factor);

// A river piece at 1 / factor of its size: a block of pixels with any water in it shows the mean
// of its water, so that a narrow river stays a clear blue line at the 10-pixel zoom instead of
// falling between the pixels that dropping would keep, or fading into the colour of its banks.
// A block of bank only shows the bank; blocks with nothing drawn stay transparent.
RgbPicture ShrinkKeepingWater(const RgbPicture& picture, int factor);
