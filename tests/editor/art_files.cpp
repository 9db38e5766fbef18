#include "art_files.h"

#include <gtest/gtest.h>

uint32_t CellArtColor(int cell) {
    uint32_t red = 40 + cell * 2;
    uint32_t green = 220 - cell * 2;
    uint32_t blue = 30 + cell * 37 % 190;
    return red << 16 | green << 8 | blue;
}

std::string WriteCellArt(const std::string& path, int side) {
    CDibImage picture;
    picture.Create(side, side, 3);
    for (int y = 0; y < side; y += 100) {
        for (int x = 0; x < side; x += 100) {
            picture.FillRect(x, y, 100, 100, CellArtColor(y / 100 * 9 + x / 100));
        }
    }
    EXPECT_EQ(picture.SaveBmp(path), 0);
    return path;
}

uint32_t PixelRgb(const CDibImage& picture, int x, int y) {
    const uint8_t* pixel = picture.PixelPtr(x, y);
    return pixel == nullptr ? 0xFFFFFFFF : pixel[2] << 16 | pixel[1] << 8 | pixel[0];
}
