#include "art/tile_renderer.h"

#include <gtest/gtest.h>

#include <vector>

#include "art/overview_picture.h"
#include "document/map_document.h"
#include "image/dib_conversion.h"
#include "model/terrain_table.h"
#include "support/map_builder.h"
#include "support/temp_dir.h"
#include "support/terrain_table_guard.h"

namespace {

constexpr uint32_t kNoArt = 0xFF3C3C3C;

struct Canvas {
    Canvas(int width, int height) : pixels(static_cast<size_t>(width) * height, 0xDEADBEEF) {
        target = {pixels.data(), width, height, width};
    }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * target.width + x]; }
    std::vector<uint32_t> pixels;
    RgbTarget target;
};

// The pixel of a 24-bit picture as the renderer draws it.
uint32_t PictureRgb(const CDibImage& picture, int x, int y) {
    const uint8_t* p = picture.PixelPtr(x, y);
    return 0xFF000000u | p[2] << 16 | p[1] << 8 | p[0];
}

class TileRendererTest : public testing::Test {
  protected:
    void SetUp() override {
        LoadShippedGameData();
        map.MakeNew(4, 3, TERRAIN_TYPE_GRASS);
    }
    TerrainTableGuard guard;
    CMapDocument map;
};

TEST_F(TileRendererTest, BuiltInCellsRiversAndNoArt) {
    map.grid.SetTile(TERRAIN_TYPE_HILLS_1, 42, 1, 0);  // cell 41: column 5, row 4 of the sheet
    map.grid.SetTile(TERRAIN_TYPE_CITY, 0, 2, 0);      // no art
    map.grid.AddOverlay(1, 0, kWideRiver, 5);
    Canvas canvas(300, 120);
    RenderTiles(map.art, 50, 0, 0, 6, 3, canvas.target, 0, 0);

    const CDibImage& hills = *map.art.BuiltInSheet(TERRAIN_TYPE_HILLS_1, 0).sheet;
    const CDibImage& piece = *map.art.OverlayPiece({kWideRiver, 5});
    int keyPixels = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
            const uint8_t* p = piece.PixelPtr(x, y);
            bool key = p[0] == 255 && p[1] == 0 && p[2] == 255;
            keyPixels += key;
            uint32_t expected = key ? PictureRgb(hills, 250 + x, 200 + y) : PictureRgb(piece, x, y);
            ASSERT_EQ(canvas.At(50 + x, y), expected) << x << "," << y;
        }
    }
    EXPECT_GT(keyPixels, 100);
    EXPECT_LT(keyPixels, 2500);
    EXPECT_EQ(canvas.At(125, 25), kNoArt);  // the city tile
    EXPECT_EQ(canvas.At(225, 25), kNoArt);  // beyond the map's right edge
    const CTile& grass = *map.grid.GetTileAt(0, 1);
    EXPECT_EQ(canvas.At(0, 50), PictureRgb(*map.art.BuiltInSheet(TERRAIN_TYPE_GRASS, 0).sheet,
                                           grass.subtype % 9 * 50, grass.subtype / 9 * 50));
}

TEST_F(TileRendererTest, OffsetsClipAndSmallTiles) {
    Canvas canvas(60, 40);
    // Tile (1, 1) lands at (-20, -30): only its lower right part shows.
    RenderTiles(map.art, 50, 1, 1, 4, 3, canvas.target, -20, -30);
    const CTile& tile = *map.grid.GetTileAt(1, 1);
    const CDibImage& grass = *map.art.BuiltInSheet(TERRAIN_TYPE_GRASS, 0).sheet;
    EXPECT_EQ(canvas.At(0, 0),
              PictureRgb(grass, tile.subtype % 9 * 50 + 20, tile.subtype / 9 * 50 + 30));
    const CTile& other = *map.grid.GetTileAt(2, 2);  // at (30, 20)
    EXPECT_EQ(canvas.At(59, 39),
              PictureRgb(grass, other.subtype % 9 * 50 + 29, other.subtype / 9 * 50 + 19));

    // At 25 pixels a tile shows every second pixel of every second row of its cell.
    Canvas small(100, 75);
    RenderTiles(map.art, 25, 0, 0, 4, 3, small.target, 0, 0);
    EXPECT_EQ(small.At(25 + 3, 25 + 4),
              PictureRgb(grass, tile.subtype % 9 * 50 + 6, tile.subtype / 9 * 50 + 8));
    for (uint32_t pixel : small.pixels) {
        ASSERT_NE(pixel, 0xDEADBEEF);
    }
}

TEST_F(TileRendererTest, CustomTypesDrawTheirHalfAndQuarter) {
    TempDir dir;
    int custom = TERRAIN_TYPE_CUSTOM_1 + 2;
    map.grid.SetTile(custom, 11, 0, 0);  // cell 10: column 1, row 1
    Canvas canvas(50, 50);
    RenderTiles(map.art, 50, 0, 0, 1, 1, canvas.target, 0, 0);
    EXPECT_EQ(canvas.At(10, 10), kNoArt);  // no art imported yet

    ASSERT_EQ(map.art.CustomArtFor(custom)->Import(SavePatternPicture(dir.File("c.bmp"), 900, 900)),
              0);
    RenderTiles(map.art, 50, 0, 0, 1, 1, canvas.target, 0, 0);
    const CCustomTerrainArt& art = *map.art.CustomArtFor(custom);
    EXPECT_EQ(canvas.At(10, 20), PictureRgb(art.half, 60, 70));
    RenderTiles(map.art, 25, 0, 0, 1, 1, canvas.target, 0, 0);
    EXPECT_EQ(canvas.At(10, 20), PictureRgb(art.quarter, 35, 45));
}

TEST_F(TileRendererTest, OverviewColours) {
    TempDir dir;
    EXPECT_EQ(OverviewColor(map.art, TERRAIN_TYPE_OCEAN, 7),
              0x3A2607u);  // red 7, green 38, blue 58
    EXPECT_EQ(OverviewColor(map.art, TERRAIN_TYPE_SHALLOW, 0), 0x3A2607u);
    struct Reference {
        int type, cell, red, green, blue;
    } references[] = {{2, 0, 86, 106, 34},   {2, 1, 73, 100, 39},   {3, 0, 180, 148, 86},
                      {3, 1, 181, 148, 85},  {4, 0, 73, 101, 36},   {4, 1, 73, 103, 37},
                      {10, 0, 77, 125, 154}, {10, 1, 83, 135, 166}, {12, 0, 51, 90, 47},
                      {12, 1, 50, 88, 46}};
    for (const Reference& r : references) {
        EXPECT_EQ(OverviewColor(map.art, r.type, r.cell),
                  COLORREF(r.red | r.green << 8 | r.blue << 16))
            << r.type << "/" << r.cell;
    }
    EXPECT_EQ(OverviewColor(map.art, TERRAIN_TYPE_NONE, 0), kNoArtColor);
    EXPECT_NE(OverviewColor(map.art, TERRAIN_TYPE_GRASS, 80), kNoArtColor);  // every cell has art
    int custom = TERRAIN_TYPE_CUSTOM_16;
    EXPECT_EQ(OverviewColor(map.art, custom, 3), kNoArtColor);
    ASSERT_EQ(map.art.CustomArtFor(custom)->Import(SavePatternPicture(dir.File("c.bmp"), 900, 900)),
              0);
    COLORREF sheet = map.art.CustomArtFor(custom)->full.AverageColor();
    EXPECT_EQ(OverviewColor(map.art, custom, 3), sheet);
    EXPECT_EQ(OverviewColor(map.art, custom, 80), sheet);

    // A built-in cell without a reference colour takes the mean of its art's central half.
    const CDibImage& woods = *map.art.BuiltInSheet(TERRAIN_TYPE_WOODS, 0).sheet;
    EXPECT_EQ(OverviewColor(map.art, TERRAIN_TYPE_WOODS, 7), woods.AverageColor(362, 12, 387, 37));

    map.grid.SetTile(custom, 1, 3, 2);
    map.grid.SetTile(TERRAIN_TYPE_OCEAN, 1, 0, 1);
    RebuildOverview(map.art, map.overview);
    ASSERT_EQ(map.overview.GetWidth(), 4);
    EXPECT_EQ(map.overview.AverageColor(3, 2, 4, 3), sheet);
    EXPECT_EQ(map.overview.AverageColor(0, 1, 1, 2), 0x3A2607u);
    UpdateOverviewTile(map.art, map.overview, TERRAIN_TYPE_NONE, 0, 0, 1);
    EXPECT_EQ(map.overview.AverageColor(0, 1, 1, 2), kNoArtColor);
    UpdateOverviewTile(map.art, map.overview, TERRAIN_TYPE_NONE, 0, 4, 0);  // outside: nothing
}

}  // namespace
