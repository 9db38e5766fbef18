#include "image/dib_conversion.h"

namespace {

uint32_t Rgb32(uint8_t red, uint8_t green, uint8_t blue) {
    return 0xFF000000u | uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
}

}  // namespace

void ConvertTo24Bit(const CDibImage& source, CDibImage& target) {
    int width = source.GetWidth();
    int height = source.GetHeight();
    if (source.IsEmpty()) {
        target.Release();
        return;
    }
    target.Create(width, height, 3);
    for (int row = 0; row < height; ++row) {
        const uint8_t* from = source.RowPtr(row);
        uint8_t* to = target.RowPtr(row);
        for (int x = 0; x < width; ++x, to += 3) {
            if (source.bytesPerPixel == 1) {
                const CDibImage::PaletteEntry& entry = source.palette[from[x]];
                to[0] = entry.blue;
                to[1] = entry.green;
                to[2] = entry.red;
            } else {
                const uint8_t* pixel = from + x * source.bytesPerPixel;
                to[0] = pixel[0];
                to[1] = pixel[1];
                to[2] = pixel[2];
            }
        }
    }
}

std::vector<uint32_t> ToRgb32(const CDibImage& picture) {
    if (picture.IsEmpty() || picture.bytesPerPixel != 3) {
        return {};
    }
    int width = picture.GetWidth();
    int height = picture.GetHeight();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = picture.PixelPtr(0, y);
        uint32_t* to = &pixels[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x, from += 3) {
            to[x] = Rgb32(from[2], from[1], from[0]);
        }
    }
    return pixels;
}
