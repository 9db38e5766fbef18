#include "art/map_art.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

std::string SavePicture(const TempDir& dir, const std::string& name, int side) {
    CDibImage picture;
    picture.Create(side, side, 3);
    picture.FillRect(0, 0, side, side, 0x336699);
    std::string path = dir.File(name);
    EXPECT_EQ(picture.SaveBmp(path), 0);
    return path;
}

class MapArtTest : public testing::Test {
  protected:
    TempDir dir;
    CTileGrid grid;
    CMapArt art{grid};
};

TEST_F(MapArtTest, CustomSlotsBelongToTheSixteenCustomTypes) {
    EXPECT_EQ(art.CustomArtFor(25), nullptr);
    EXPECT_EQ(art.CustomArtFor(42), nullptr);
    ASSERT_NE(art.CustomArtFor(26), nullptr);
    EXPECT_NE(art.CustomArtFor(26), art.CustomArtFor(41));

    std::string path = SavePicture(dir, "custom.bmp", 900);
    ASSERT_EQ(art.CustomArtFor(30)->Import(path), 0);
    art.CustomArtFor(30)->ToggleExit(4, 4, -1);
    art.AddCityArt(SavePicture(dir, "city.bmp", 40));
    art.Reset();  // what a new map does
    EXPECT_FALSE(art.CustomArtFor(30)->loaded);
    EXPECT_EQ(art.CustomArtFor(30)->exitMasks[40], 0x00);
    EXPECT_EQ(art.CityArt().GetCount(), 0);
}

TEST_F(MapArtTest, CityArtAddsAndRemoves) {
    std::string lake = SavePicture(dir, "lake.bmp", 40);
    EXPECT_FALSE(art.AddCityArt(dir.File("missing.bmp")));
    ASSERT_TRUE(art.AddCityArt(lake));
    ASSERT_TRUE(art.AddCityArt(lake));  // the same file twice gives two entries
    ASSERT_EQ(art.CityArt().GetCount(), 2);
    auto* entry = static_cast<CTerrainArt*>(art.CityArt().GetAt(1));
    EXPECT_EQ(entry->name, "lake.bmp");
    EXPECT_EQ(entry->half.GetWidth(), 20);

    art.RemoveCityArt(2);
    art.RemoveCityArt(-1);
    art.RemoveCityArt(0);
    EXPECT_EQ(art.CityArt().GetCount(), 1);
}

TEST_F(MapArtTest, BuiltInCellOrigins) {
    SheetCell cell = art.BuiltInSheet(TERRAIN_TYPE_HILLS_1, 40);
    EXPECT_EQ(cell.x, 200);
    EXPECT_EQ(cell.y, 200);
    cell = art.BuiltInSheet(TERRAIN_TYPE_HILLS_1, 80);
    EXPECT_EQ(cell.x, 400);
    EXPECT_EQ(cell.y, 400);
    cell = art.BuiltInSheet(TERRAIN_TYPE_GRASS, 9);
    EXPECT_EQ(cell.x, 0);
    EXPECT_EQ(cell.y, 50);
    ASSERT_NE(cell.sheet, nullptr);
    EXPECT_EQ(cell.sheet->GetHeight(), 450);
    EXPECT_EQ(art.BuiltInSheet(TERRAIN_TYPE_CITY, 0).sheet, nullptr);
    EXPECT_EQ(art.BuiltInSheet(TERRAIN_TYPE_RIVER_ON_GRASS_WIDE, 0).sheet, nullptr);
    EXPECT_EQ(art.BuiltInSheet(TERRAIN_TYPE_CUSTOM_1, 0).sheet, nullptr);

    ASSERT_TRUE(grid.Allocate(2, 2));
    grid.SetTile(TERRAIN_TYPE_SWAMP, 12, 1, 1);
    cell = art.TileArt(1, 1);
    EXPECT_EQ(cell.sheet, art.BuiltInSheet(TERRAIN_TYPE_SWAMP, 0).sheet);
    EXPECT_EQ(cell.x, 100);
    EXPECT_EQ(cell.y, 50);
    EXPECT_EQ(art.TileArt(2, 0).sheet, nullptr);
}

TEST_F(MapArtTest, RiverPiecesByKindAndCell) {
    ASSERT_TRUE(grid.Allocate(2, 2));
    grid.AddOverlay(0, 0, kWideRiver, 3);
    grid.AddOverlay(0, 0, kNarrowRiver, 3);
    const CDibImage* wide = art.OverlayPieceAt(0, 0, 0);
    const CDibImage* narrow = art.OverlayPieceAt(0, 0, 1);
    ASSERT_NE(wide, nullptr);
    ASSERT_NE(narrow, nullptr);
    EXPECT_NE(wide, narrow);
    EXPECT_EQ(wide, art.OverlayPiece({kWideRiver, 3}));
    EXPECT_EQ(narrow, art.OverlayPiece({7, 3}));  // any non-zero kind is narrow
    EXPECT_EQ(wide->GetWidth(), 50);
    EXPECT_EQ(art.OverlayPieceAt(0, 0, 2), nullptr);
    EXPECT_EQ(art.OverlayPiece({kWideRiver, 81}), nullptr);
}

}  // namespace
