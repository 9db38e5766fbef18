#include "art/rgb_picture.h"

namespace {

// A picture of 1 / factor of the size, its pixels still to be set.
RgbPicture Shrunk(const RgbPicture& picture, int factor) {
    RgbPicture small;
    small.width = picture.width / factor;
    small.height = picture.height / factor;
    small.pixels.resize(static_cast<size_t>(small.width) * small.height);
    return small;
}

// Water is bluer than it is red or green; a river's banks are not.
bool IsWater(uint32_t pixel) {
    uint32_t red = pixel >> 16 & 0xFF;
    uint32_t green = pixel >> 8 & 0xFF;
    uint32_t blue = pixel & 0xFF;
    return blue > red && blue > green;
}

struct CColourMean {
    uint32_t sums[3] = {};
    uint32_t count = 0;

    void Add(uint32_t pixel) {
        sums[0] += pixel >> 16 & 0xFF;
        sums[1] += pixel >> 8 & 0xFF;
        sums[2] += pixel & 0xFF;
        ++count;
    }
    // 0 (transparent) when nothing was added.
    uint32_t Mean() const {
        if (count == 0) {
            return 0;
        }
        return 0xFF000000u | (sums[0] / count) << 16 | (sums[1] / count) << 8 | sums[2] / count;
    }
};

}  // namespace

RgbPicture ShrinkByDropping(const RgbPicture& picture, int factor) {
    RgbPicture small = Shrunk(picture, factor);
    for (int y = 0; y < small.height; ++y) {
        const uint32_t* from = picture.Row(factor * y);
        uint32_t* to = small.pixels.data() + static_cast<size_t>(y) * small.width;
        for (int x = 0; x < small.width; ++x) {
            to[x] = from[factor * x];
        }
    }
    return small;
}

RgbPicture ShrinkKeepingWater(const RgbPicture& picture, int factor) {
    RgbPicture small = Shrunk(picture, factor);
    for (int y = 0; y < small.height; ++y) {
        for (int x = 0; x < small.width; ++x) {
            // Sums of the water's pixels and of all drawn ones (water and banks).
            CColourMean water;
            CColourMean drawn;
            for (int dy = 0; dy < factor; ++dy) {
                const uint32_t* row = picture.Row(factor * y + dy) + factor * x;
                for (int dx = 0; dx < factor; ++dx) {
                    if (row[dx] != 0) {
                        drawn.Add(row[dx]);
                        if (IsWater(row[dx])) {
                            water.Add(row[dx]);
                        }
                    }
                }
            }
            small.pixels[static_cast<size_t>(y) * small.width + x] =
                water.count > 0 ? water.Mean() : drawn.Mean();
        }
    }
    return small;
}
