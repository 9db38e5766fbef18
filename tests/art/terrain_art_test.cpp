#include "art/terrain_art.h"

#include <gtest/gtest.h>

#include "art/custom_terrain_art.h"
#include "support/temp_dir.h"

namespace {

// Saves a width x height picture of the given depth, filled with a gradient.
std::string SavePicture(const TempDir& dir, const std::string& name, int width, int height,
                        int bytesPerPixel) {
    CDibImage picture;
    picture.Create(width, height, bytesPerPixel);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = picture.PixelPtr(x, y);
            for (int c = 0; c < bytesPerPixel; ++c) {
                pixel[c] = static_cast<uint8_t>(x + 3 * y + 50 * c);
            }
        }
    }
    for (int i = 0; bytesPerPixel == 1 && i < 256; ++i) {
        picture.palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7, 0};
    }
    std::string path = dir.File(name);
    EXPECT_EQ(picture.SaveBmp(path), 0);
    return path;
}

void ExpectSize(const CDibImage& image, int width, int height) {
    EXPECT_EQ(image.GetWidth(), width);
    EXPECT_EQ(image.GetHeight(), height);
}

TEST(TerrainArtTest, ZoomCopySizes) {
    TempDir dir;
    CTerrainArt art;
    ASSERT_EQ(art.LoadNamed(SavePicture(dir, "a.bmp", 451, 451, 3)), 0);
    ExpectSize(art.half, 226, 226);
    ExpectSize(art.quarter, 113, 113);
    ExpectSize(art.tenth, 45, 45);
    EXPECT_EQ(art.name, "a.bmp");

    // As map files have always stored them: a tenth of 0 pixels in one side for a picture under
    // 8 pixels, which keeps its sizes and depth, and no copies of a 32-bit picture, which the
    // smooth resampler does not take.
    ASSERT_EQ(art.LoadNamed(SavePicture(dir, "b.bmp", 64, 5, 3)), 0);
    ExpectSize(art.quarter, 16, 2);
    ExpectSize(art.tenth, 6, 0);
    EXPECT_EQ(art.tenth.bytesPerPixel, 3);
    EXPECT_TRUE(art.tenth.IsEmpty());
    ASSERT_EQ(art.LoadNamed(SavePicture(dir, "c.bmp", 40, 30, 4)), 0);
    for (const CDibImage* copy : {&art.half, &art.quarter, &art.tenth}) {
        EXPECT_TRUE(copy->IsEmpty());
        ExpectSize(*copy, 0, 0);
        EXPECT_EQ(copy->bytesPerPixel, 0);
    }
}

TEST(TerrainArtTest, AFailedLoadKeepsTheRest) {
    TempDir dir;
    CTerrainArt art;
    ASSERT_EQ(art.LoadNamed(SavePicture(dir, "c.bmp", 20, 10, 1)), 0);
    EXPECT_EQ(art.LoadNamed(dir.File("missing.bmp")), 2);
    EXPECT_TRUE(art.full.IsEmpty());
    ExpectSize(art.half, 10, 5);
    EXPECT_EQ(art.name, "c.bmp");
}

TEST(TerrainArtTest, FileNamesDropEitherKindOfFolder) {
    EXPECT_EQ(FileNamePart("/home/maps/lake.bmp"), "lake.bmp");
    EXPECT_EQ(FileNamePart("C:\\maps\\city\\lake.bmp"), "lake.bmp");
    EXPECT_EQ(FileNamePart("mixed\\a/b\\c.bmp"), "c.bmp");
    EXPECT_EQ(FileNamePart("plain.bmp"), "plain.bmp");
}

TEST(CustomTerrainArtTest, ImportsOnly900By900AndConvertsTo24Bits) {
    TempDir dir;
    CCustomTerrainArt art;
    EXPECT_EQ(art.Import(SavePicture(dir, "small.bmp", 450, 450, 3)), kErrorWrongArtSize);
    EXPECT_FALSE(art.loaded);

    std::string eightBit = SavePicture(dir, "eight.bmp", 900, 900, 1);
    ASSERT_EQ(art.Import(eightBit), 0);
    EXPECT_TRUE(art.loaded);
    EXPECT_EQ(art.sourcePath, eightBit);
    EXPECT_EQ(art.full.bytesPerPixel, 3);
    ExpectSize(art.half, 450, 450);
    ExpectSize(art.quarter, 225, 225);
    ExpectSize(art.tenth, 90, 90);
    // Pixel (10, 0) has index 10, whose colour table entry is blue 10, green 245, red 7.
    const uint8_t* pixel = art.full.PixelPtr(10, 0);
    EXPECT_EQ(pixel[0], 10);
    EXPECT_EQ(pixel[1], 245);
    EXPECT_EQ(pixel[2], 7);
    EXPECT_EQ(art.DrawingPixels(50).size(), 450u * 450u);
    EXPECT_EQ(art.DrawingPixels(25).size(), 225u * 225u);
    EXPECT_EQ(art.DrawingPixels(5).size(), 45u * 45u);  // resized from the sheet, 5 pixels a cell
    EXPECT_EQ(art.DrawingWidth(5), 45);
    const uint8_t* halfPixel = art.half.PixelPtr(10, 3);
    EXPECT_EQ(art.DrawingPixels(50)[3 * 450 + 10],
              0xFF000000u | halfPixel[2] << 16 | halfPixel[1] << 8 | halfPixel[0]);
    EXPECT_EQ(art.SheetColor(), art.full.AverageColor());

    // A failed re-import leaves the loaded art as it was.
    EXPECT_EQ(art.Import(SavePicture(dir, "wrong.bmp", 900, 899, 3)), kErrorWrongArtSize);
    EXPECT_EQ(art.Import(dir.File("missing.bmp")), 2);
    EXPECT_TRUE(art.loaded);
    EXPECT_EQ(art.sourcePath, eightBit);
    ExpectSize(art.full, 900, 900);

    ASSERT_EQ(art.Import(SavePicture(dir, "wide.bmp", 900, 900, 4)), 0);
    EXPECT_EQ(art.full.bytesPerPixel, 3);
}

TEST(CustomTerrainArtTest, ExitsSurviveUnloading) {
    TempDir dir;
    CCustomTerrainArt art;
    EXPECT_TRUE(art.IsExitOpen(8, 8, 7));
    art.ToggleExit(0, 0, -1);
    EXPECT_EQ(art.exitMasks[0], 0x00);
    art.ToggleExit(1, 2, 3);
    EXPECT_EQ(art.exitMasks[11], 0xF7);
    EXPECT_FALSE(art.IsExitOpen(1, 2, 3));
    EXPECT_TRUE(art.IsExitOpen(1, 2, 4));
    art.ToggleExit(9, 0, 1);  // outside the sheet: ignored
    art.ToggleExit(0, 0, 8);
    EXPECT_FALSE(art.IsExitOpen(0, 9, 0));

    ASSERT_EQ(art.Import(SavePicture(dir, "art.bmp", 900, 900, 3)), 0);
    EXPECT_EQ(art.exitMasks[11], 0xF7);  // importing keeps the masks
    art.Unload();
    EXPECT_FALSE(art.loaded);
    EXPECT_TRUE(art.full.IsEmpty());
    EXPECT_TRUE(art.half.IsEmpty());
    EXPECT_TRUE(art.DrawingPixels(50).empty());
    EXPECT_FALSE(art.name.has_value());
    EXPECT_EQ(art.exitMasks[0], 0x00);
    EXPECT_EQ(art.exitMasks[11], 0xF7);
}

}  // namespace
