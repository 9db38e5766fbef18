#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "image/dib_image.h"

namespace {

using Pixel = std::array<int, 3>;  // blue, green, red as stored

const Pixel kMagenta = {255, 0, 255};

Pixel At(const CDibImage& image, int column, int row) {
    const uint8_t* pixel = image.RowPtr(row) + 3 * column;
    return {pixel[0], pixel[1], pixel[2]};
}

void Put(CDibImage& image, int column, int row, const Pixel& value) {
    for (int c = 0; c < 3; ++c) {
        image.RowPtr(row)[3 * column + c] = static_cast<uint8_t>(value[c]);
    }
}

Pixel Mean4(const CDibImage& image, int x, int y) {
    Pixel mean;
    for (int c = 0; c < 3; ++c) {
        mean[c] = (At(image, x, y)[c] + At(image, x + 1, y)[c] + At(image, x, y + 1)[c] +
                   At(image, x + 1, y + 1)[c]) /
                  4;
    }
    return mean;
}

TEST(SmoothResizeTest, HalvingAndTenthAverageTheFourPixelsAroundTheSample) {
    CDibImage source;
    source.Create(100, 100, 3);
    for (size_t i = 0; i < source.GetBufferSize(); ++i) {
        source.bits[i] = static_cast<uint8_t>(i * 37 % 250);  // never magenta
    }
    CDibImage half;
    ASSERT_EQ(half.ResizeFrom(0, 0, 50, 50, source, true), 0);
    CDibImage tenth;
    ASSERT_EQ(tenth.SmoothResize24(0, 0, 10, 10, source), 0);
    for (int i = 0; i < 50; ++i) {
        for (int k = 0; k < 50; ++k) {
            ASSERT_EQ(At(half, k, i), Mean4(source, 2 * k, 2 * i)) << k << "," << i;
        }
    }
    for (int i = 0; i < 10; ++i) {
        for (int k = 0; k < 10; ++k) {
            ASSERT_EQ(At(tenth, k, i), Mean4(source, 10 * k + 4, 10 * i + 4)) << k << "," << i;
        }
    }
}

TEST(SmoothResizeTest, UpsizingClampsAtTheEdges) {
    CDibImage source;
    source.Create(2, 2, 3);
    Put(source, 1, 0, {100, 200, 40});
    Put(source, 1, 1, {100, 200, 40});
    CDibImage target;
    target.SmoothResize24(0, 0, 4, 4, source);
    // Columns sample 0 (clamped from -0.25), 0.25, 0.75 and 1 (clamped from 1.25).
    EXPECT_EQ(At(target, 0, 0), (Pixel{0, 0, 0}));
    EXPECT_EQ(At(target, 1, 2), (Pixel{25, 50, 10}));
    EXPECT_EQ(At(target, 2, 3), (Pixel{75, 150, 30}));
    EXPECT_EQ(At(target, 3, 1), (Pixel{100, 200, 40}));
}

// One target pixel from 2 x 2 samples the middle (dx = wy = 0.5) of A, B (stored row 0) and
// C, D (stored row 1).
TEST(SmoothResizeTest, KeyNeighboursAreLeftOutOfTheBlend) {
    const Pixel a = {10, 20, 30}, b = {50, 60, 70}, c = {90, 100, 110}, d = {130, 140, 150};
    const Pixel ab = {30, 40, 50}, cd = {110, 120, 130};
    const std::vector<std::pair<std::string, Pixel>> cases = {
        {"", {70, 80, 90}}, {"A", cd},         {"B", cd},         {"C", ab},
        {"D", ab},          {"AD", c},         {"BC", a},         {"AC", d},
        {"BD", a},          {"AB", cd},        {"CD", ab},        {"ABC", kMagenta},
        {"ABD", kMagenta},  {"ACD", kMagenta}, {"BCD", kMagenta}, {"ABCD", kMagenta}};
    for (const auto& [keys, expected] : cases) {
        auto pick = [&](char name, const Pixel& colour) {
            return keys.find(name) == std::string::npos ? colour : kMagenta;
        };
        CDibImage source;
        source.Create(2, 2, 3);
        Put(source, 0, 0, pick('A', a));
        Put(source, 1, 0, pick('B', b));
        Put(source, 0, 1, pick('C', c));
        Put(source, 1, 1, pick('D', d));
        CDibImage target;
        target.SmoothResize24(0, 0, 1, 1, source);
        EXPECT_EQ(At(target, 0, 0), expected) << "keys " << keys;
    }
}

TEST(SmoothResizeTest, IndexedArtKeepsIndexZeroAsKey) {
    CDibImage source;
    source.Create(2, 2, 1);
    source.palette[7].red = 99;
    source.RowPtr(0)[1] = 40;
    source.RowPtr(1)[0] = 10;
    source.RowPtr(1)[1] = 20;
    CDibImage target;
    ASSERT_EQ(target.ResizeFrom(0, 0, 1, 1, source, true), 0);
    ASSERT_EQ(target.bytesPerPixel, 1);
    EXPECT_EQ(*target.RowPtr(0), 15);  // A is the key: the mean of C and D
    EXPECT_EQ(target.palette[7].red, 0);
    source.RowPtr(1)[1] = 0;
    source.RowPtr(1)[0] = 0;
    target.SmoothResize8(0, 0, 1, 1, source);
    EXPECT_EQ(*target.RowPtr(0), 0);
}

TEST(SmoothResizeTest, AllKeyStaysKeyAndOtherDepthsAreLeftAlone) {
    CDibImage source;
    source.Create(90, 90, 3);
    source.FillRect(0, 0, 90, 90, 0xFF00FF);
    CDibImage target;
    for (int size : {45, 9, 1, 200}) {
        target.SmoothResize24(0, 0, size, size, source);
        for (int i = 0; i < size; ++i) {
            for (int k = 0; k < size; ++k) {
                ASSERT_EQ(At(target, k, i), kMagenta) << size;
            }
        }
    }
    CDibImage indexed;
    indexed.Create(4, 4, 1);
    CDibImage wide;
    wide.Create(4, 4, 4);
    EXPECT_EQ(target.SmoothResize24(0, 0, 2, 2, indexed), 1);
    EXPECT_EQ(target.SmoothResize8(0, 0, 2, 2, source), 1);
    EXPECT_EQ(target.ResizeFrom(0, 0, 2, 2, wide, true), 1);
    EXPECT_EQ(target.GetWidth(), 200);
}

}  // namespace
