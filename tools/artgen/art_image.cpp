#include "art_image.h"

#include <cmath>

CArtImage::CArtImage(int width, int height, Rgb fill)
    : width(width), height(height), pixels(static_cast<size_t>(width) * height, fill) {}

Rgb& CArtImage::Wrapped(int x, int y) {
    return At(((x % width) + width) % width, ((y % height) + height) % height);
}

void CArtImage::Paste(const CArtImage& source, int x, int y) {
    for (int sy = 0; sy < source.height; ++sy) {
        for (int sx = 0; sx < source.width; ++sx) {
            if (Contains(x + sx, y + sy)) {
                At(x + sx, y + sy) = source.At(sx, sy);
            }
        }
    }
}

CArtImage CArtImage::Crop(int x, int y, int cropWidth, int cropHeight) const {
    CArtImage result(cropWidth, cropHeight);
    for (int cy = 0; cy < cropHeight; ++cy) {
        for (int cx = 0; cx < cropWidth; ++cx) {
            result.At(cx, cy) = At(x + cx, y + cy);
        }
    }
    return result;
}

void CArtImage::Quantise() {
    for (Rgb& p : pixels) {
        p = {std::round(std::clamp(p.r, 0.0f, 255.0f)), std::round(std::clamp(p.g, 0.0f, 255.0f)),
             std::round(std::clamp(p.b, 0.0f, 255.0f))};
    }
}
