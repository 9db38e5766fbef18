#include "art/rgb_picture.h"

RgbPicture ShrinkByDropping(const RgbPicture& picture, int factor) {
    RgbPicture small;
    small.width = picture.width / factor;
    small.height = picture.height / factor;
    small.pixels.resize(static_cast<size_t>(small.width) * small.height);
    for (int y = 0; y < small.height; ++y) {
        const uint32_t* from = picture.Row(factor * y);
        uint32_t* to = small.pixels.data() + static_cast<size_t>(y) * small.width;
        for (int x = 0; x < small.width; ++x) {
            to[x] = from[factor * x];
        }
    }
    return small;
}
