#include "art/rgb_picture.h"

RgbPicture HalveByDropping(const RgbPicture& picture) {
    RgbPicture half;
    half.width = picture.width / 2;
    half.height = picture.height / 2;
    half.pixels.resize(static_cast<size_t>(half.width) * half.height);
    for (int y = 0; y < half.height; ++y) {
        const uint32_t* from = picture.Row(2 * y);
        uint32_t* to = half.pixels.data() + static_cast<size_t>(y) * half.width;
        for (int x = 0; x < half.width; ++x) {
            to[x] = from[2 * x];
        }
    }
    return half;
}
