#include "art/rgb_picture.h"

#include <gtest/gtest.h>

#include "art/builtin_art.h"
#include "art/river_piece_table.h"

namespace {

// At the 10-pixel zoom no river piece, the narrow ones neither, loses water: every pixel that
// stands for a block with water in it shows some.
TEST(RgbPictureTest, RiversStayVisibleAtTenPixels) {
    for (uint8_t kind : {kWideRiver, kNarrowRiver}) {
        for (int n = 0; n < 81; ++n) {
            const RiverOverlay piece{kind, static_cast<uint8_t>(n)};
            const RgbPicture& full = *theBuiltInArt.PiecePixels(piece, 50);
            const RgbPicture& tiny = *theBuiltInArt.PiecePixels(piece, 10);
            ASSERT_EQ(tiny.width, 10);
            for (int y = 0; y < 10; ++y) {
                for (int x = 0; x < 10; ++x) {
                    bool water = false;
                    for (int k = 0; k < 25; ++k) {
                        water = water || full.Row(5 * y + k / 5)[5 * x + k % 5] != 0;
                    }
                    ASSERT_EQ(water, tiny.Row(y)[x] != 0)
                        << "kind " << int(kind) << " piece " << n << " at " << x << "," << y;
                }
            }
        }
    }
    // A one-pixel line across a 50-pixel picture stays a line at a fifth of the size, in the
    // colour of its water rather than mixed with its brown bank; a block of bank alone shows it.
    RgbPicture line{50, 50, std::vector<uint32_t>(2500)};
    for (int x = 0; x < 50; ++x) {
        line.pixels[23 * 50 + x] = 0xFF2060C0;
        line.pixels[24 * 50 + x] = 0xFF806040;
        line.pixels[44 * 50 + x] = 0xFF806040;
    }
    RgbPicture small = ShrinkKeepingWater(line, 5);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(small.Row(4)[x], 0xFF2060C0u);
        EXPECT_EQ(small.Row(5)[x], 0u);
        EXPECT_EQ(small.Row(8)[x], 0xFF806040u);
    }
    EXPECT_EQ(ShrinkByDropping(line, 5).Row(4)[3], 0u);  // what dropping loses
}

}  // namespace
