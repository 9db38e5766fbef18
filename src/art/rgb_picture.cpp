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
            uint32_t sums[3] = {};
            uint32_t count = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const uint32_t* row = picture.Row(factor * y + dy) + factor * x;
                for (int dx = 0; dx < factor; ++dx) {
                    if (row[dx] != 0) {
                        sums[0] += row[dx] >> 16 & 0xFF;
                        sums[1] += row[dx] >> 8 & 0xFF;
                        sums[2] += row[dx] & 0xFF;
                        ++count;
                    }
                }
            }
            small.pixels[static_cast<size_t>(y) * small.width + x] =
                count == 0 ? 0
                           : 0xFF000000u | (sums[0] / count) << 16 | (sums[1] / count) << 8 |
                                 sums[2] / count;
        }
    }
    return small;
}
