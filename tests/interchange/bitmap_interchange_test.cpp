#include "interchange/bitmap_interchange.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

#include "art/custom_terrain_art.h"
#include "document/map_document.h"
#include "model/terrain_table.h"
#include "support/map_builder.h"
#include "support/peak_memory.h"
#include "support/temp_dir.h"
#include "support/terrain_table_guard.h"

namespace {

// A colour bitmap whose pixel (x, y) has colour(x, y).
template <typename Colour>
std::string SaveColours(const std::string& path, int width, int height, Colour colour) {
    CDibImage picture;
    picture.Create(width, height, 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.SetPixel(x, y, colour(x, y));
        }
    }
    EXPECT_EQ(picture.SaveBmp(path), 0);
    return path;
}

// An 8-bit subtype bitmap whose pixel (x, y) is value(x, y).
template <typename Value>
void SaveSubtypes(const std::string& path, int width, int height, Value value) {
    CDibImage picture;
    picture.Create(width, height, 1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            *picture.PixelPtr(x, y) = static_cast<uint8_t>(value(x, y));
        }
    }
    EXPECT_EQ(picture.SaveBmp(path), 0);
}

class BitmapInterchangeTest : public testing::Test {
  protected:
    void SetUp() override {
        LoadShippedGameData();
        map.MakeNew(30, 25, TERRAIN_TYPE_OCEAN);
    }

    TerrainTableGuard guard;
    TempDir dir;
    CMapDocument map;
};

// A sparse 24-bit picture of 20000 x 20000 pixels (1.2 GB): its size is refused from its
// headers, before a pixel is read, by the map import and the custom art import alike.
TEST_F(BitmapInterchangeTest, HugePicturesAreRefusedBeforeTheirPixelsAreRead) {
    std::string path = SaveColours(dir.File("huge.bmp"), 20, 20, [](int, int) { return 0; });
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    bytes.resize(54);
    const int32_t side = 20000;
    std::memcpy(&bytes[18], &side, 4);
    std::memcpy(&bytes[22], &side, 4);
    WriteFileBytes(path, bytes);
    std::filesystem::resize_file(path, 54 + uint64_t{60000} * 20000);

    int width = 0;
    int height = 0;
    int depth = 0;
    ASSERT_EQ(CDibImage::PeekBmp(path, width, height, depth), 0);
    EXPECT_EQ(width, side);
    EXPECT_EQ(depth, 3);
    EXPECT_EQ(ImportBitmap(map.art, path), kImportBadSize);
    EXPECT_EQ(map.art.CustomArtFor(30)->Import(path), kErrorWrongArtSize);
    if (MeasuresMemory()) {
        int64_t growth = PeakMemoryGrowth([&] {
            ImportBitmap(map.art, path);
            map.art.CustomArtFor(30)->Import(path);
        });
        EXPECT_GE(growth, 0);
        EXPECT_LE(growth, 16 << 20);
    }
}

TEST_F(BitmapInterchangeTest, SubtypeFileNames) {
    EXPECT_EQ(SubtypeFileName("/maps/north.bmp"), "/maps/north_s.bmp");
    EXPECT_EQ(SubtypeFileName("a.bmp.bmp"), "a_s.bmp.bmp");
    EXPECT_EQ(SubtypeFileName("north.BMP"), "_snorth.BMP");
    EXPECT_EQ(TerrainColor(TERRAIN_TYPE_GRASS), 0x0A7A48u);
    EXPECT_EQ(TerrainColor(TERRAIN_TYPE_CUSTOM_1), kNoTerrainColor);
}

TEST_F(BitmapInterchangeTest, SizeAndDepthChecksLeaveTheMapAlone) {
    struct Size {
        int width, height, result;
    } sizes[] = {{20, 20, 0},    {192, 112, 0},  {19, 50, 115},
                 {193, 50, 115}, {50, 113, 115}, {50, 19, 115}};
    auto grass = [](int, int) { return TerrainColor(TERRAIN_TYPE_GRASS); };
    for (const Size& size : sizes) {
        map.MakeNew(30, 25, TERRAIN_TYPE_OCEAN);
        std::string path = SaveColours(dir.File("size.bmp"), size.width, size.height, grass);
        EXPECT_EQ(ImportBitmap(map.art, path), size.result) << size.width << " x " << size.height;
        EXPECT_EQ(map.grid.GetWidth(), size.result == 0 ? size.width : 30);
    }
    map.MakeNew(30, 25, TERRAIN_TYPE_OCEAN);
    EXPECT_EQ(ImportBitmap(map.art, dir.File("missing.bmp")), kImportCannotOpen);
    SaveSubtypes(dir.File("eight.bmp"), 30, 30, [](int, int) { return 1; });
    EXPECT_EQ(ImportBitmap(map.art, dir.File("eight.bmp")), kImportBadDepth);
    SaveColours(dir.File("pair.bmp"), 30, 30, grass);
    SaveColours(dir.File("pair_s.bmp"), 30, 30, grass);  // a 24-bit subtype file
    EXPECT_EQ(ImportBitmap(map.art, dir.File("pair.bmp")), kImportBadDepth);
    EXPECT_EQ(map.grid.GetWidth(), 30);
    EXPECT_EQ(map.grid.GetTileAt(0, 0)->type, TERRAIN_TYPE_OCEAN);
}

TEST_F(BitmapInterchangeTest, ExportThenImportGivesTheSameMap) {
    const int types[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 22, 23, 24, 25};
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 30; ++x) {
            int type = types[(x + y) % std::size(types)];
            map.grid.SetTile(type, 1 + (x * 7 + y) % theTerrainTable.Record(type).subtypeCount, x,
                             y);
        }
    }
    std::string path = dir.File("round.bmp");
    ASSERT_EQ(ExportBitmap(map.grid, path), 0);
    std::vector<uint8_t> subtypeFile = ReadFileBytes(dir.File("round_s.bmp"));
    ASSERT_EQ(subtypeFile.size(), 1078u + 32 * 25);
    EXPECT_EQ(subtypeFile[54 + 4 * 200], 200);  // gray ramp palette
    EXPECT_EQ(subtypeFile[54 + 4 * 200 + 2], 200);

    CMapDocument imported;
    ASSERT_EQ(ImportBitmap(imported.art, path), 0);
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 30; ++x) {
            ASSERT_EQ(imported.grid.GetTileAt(x, y)->type, map.grid.GetTileAt(x, y)->type);
            ASSERT_EQ(imported.grid.GetSubtypeAt(x, y), map.grid.GetSubtypeAt(x, y));
        }
    }
}

// Two exports of different maps to one name at once take turns: the pair is always one map's,
// and the lock file beside it goes with the last of them.
TEST_F(BitmapInterchangeTest, ExportsToOneNameAtOnceLeaveOneMapsPair) {
    CMapDocument other;
    other.MakeNew(30, 25, TERRAIN_TYPE_GRASS);
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 30; ++x) {
            other.grid.SetTile(TERRAIN_TYPE_GRASS, 1 + (x + y) % 9, x, y);
        }
    }
    const CTileGrid* grids[] = {&map.grid, &other.grid};
    std::vector<uint8_t> pairs[2][2];
    for (int i = 0; i < 2; ++i) {
        const std::string name = "map" + std::to_string(i);
        ASSERT_EQ(ExportBitmap(*grids[i], dir.File(name + ".bmp")), 0);
        pairs[i][0] = ReadFileBytes(dir.File(name + ".bmp"));
        pairs[i][1] = ReadFileBytes(dir.File(name + "_s.bmp"));
    }
    ASSERT_NE(pairs[0][1], pairs[1][1]);
    const std::string path = dir.File("race.bmp");
    int mixed = 0;
    for (int round = 0; round < 50; ++round) {
        std::atomic<int> waiting = 2;
        int results[2] = {-1, -1};
        auto race = [&](int i) {
            for (--waiting; waiting > 0;) {
            }
            results[i] = ExportBitmap(*grids[i], path);
        };
        std::thread first(race, 0);
        std::thread second(race, 1);
        first.join();
        second.join();
        ASSERT_EQ(results[0], 0);
        ASSERT_EQ(results[1], 0);
        std::vector<uint8_t> pair[] = {ReadFileBytes(path), ReadFileBytes(dir.File("race_s.bmp"))};
        bool ofOneMap = (pair[0] == pairs[0][0] && pair[1] == pairs[0][1]) ||
                        (pair[0] == pairs[1][0] && pair[1] == pairs[1][1]);
        mixed += ofOneMap ? 0 : 1;
    }
    EXPECT_EQ(mixed, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 6);
}

TEST_F(BitmapInterchangeTest, TypesWithoutAColourComeBackAsGrass) {
    map.grid.SetTile(TERRAIN_TYPE_CITY, 1, 0, 0);
    map.grid.SetTile(TERRAIN_TYPE_RIVER_ON_GRASS_WIDE, 1, 1, 0);
    map.grid.SetTile(TERRAIN_TYPE_CUSTOM_1 + 3, 5, 2, 0);
    std::string path = dir.File("nocolour.bmp");
    ASSERT_EQ(ExportBitmap(map.grid, path), 0);
    CDibImage colours;
    ASSERT_EQ(colours.LoadBmp(path), 0);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(colours.AverageColor(x, 0, x + 1, 1), 0x010101u) << x;
    }
    CMapDocument imported;
    EXPECT_EQ(ImportBitmap(imported.art, path), kImportUnknownColor);
    EXPECT_EQ(imported.grid.GetTileAt(2, 0)->type, TERRAIN_TYPE_GRASS);
    EXPECT_EQ(imported.grid.GetSubtypeAt(2, 0), 4);  // the cell still comes from the subtype file
}

TEST_F(BitmapInterchangeTest, SubtypeWarnings) {
    auto grass = [](int, int) { return TerrainColor(TERRAIN_TYPE_GRASS); };
    std::string path = SaveColours(dir.File("w.bmp"), 20, 20, grass);
    SaveSubtypes(dir.File("w_s.bmp"), 20, 20, [](int x, int) {
        return x == 3 ? 0 : x == 4 ? 82 : 5;
    });
    ASSERT_EQ(ImportBitmap(map.art, path), kImportBadSubtype);
    EXPECT_EQ(map.grid.GetSubtypeAt(3, 7), 0);
    EXPECT_EQ(map.grid.GetSubtypeAt(4, 7), 0);
    EXPECT_EQ(map.grid.GetSubtypeAt(5, 7), 4);

    // An unknown colour wins over a bad subtype, wherever it comes.
    SaveColours(path, 20, 20,
                [](int x, int y) { return x == 19 && y == 19 ? 0x123456u : TerrainColor(4); });
    EXPECT_EQ(ImportBitmap(map.art, path), kImportUnknownColor);

    // A smaller subtype file leaves the tiles beyond it at cell 0, with the warning.
    SaveColours(path, 20, 20, grass);
    SaveSubtypes(dir.File("w_s.bmp"), 10, 20, [](int, int) { return 9; });
    EXPECT_EQ(ImportBitmap(map.art, path), kImportBadSubtype);
    EXPECT_EQ(map.grid.GetSubtypeAt(9, 0), 8);
    EXPECT_EQ(map.grid.GetSubtypeAt(10, 0), 0);
}

TEST_F(BitmapInterchangeTest, UpperCaseExtensionsHaveNoSubtypeFile) {
    theTerrainTable.Record(TERRAIN_TYPE_DESERT).setCount = 2;
    std::string path =
        SaveColours(dir.File("north.BMP"), 20, 20, [](int, int) { return TerrainColor(3); });
    ASSERT_EQ(ImportBitmap(map.art, path), 0);  // random cells from the second set
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(map.grid.GetTileAt(x, 0)->requestedSubtype, kRandomSecondSet);
    }
    // The pair could not land side by side: nothing is written.
    EXPECT_EQ(ExportBitmap(map.grid, dir.File("out.BMP")), kExportFailed);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.BMP")));
}

TEST_F(BitmapInterchangeTest, PairsWrittenByImageTools) {
    struct Pair {
        const char* colours;
        const char* subtypes;
        int width;
    } pairs[] = {{"map24-im-bmp3-40x30.bmp", "sub8-nb-mapfile-40x30.bmp", 40},
                 {"map24-im-v5-40x30.bmp", "sub8-gimp-idx82-v5-40x30.bmp", 40},
                 {"map24-gimp-40x30.bmp", "sub8-nb-mapfile-40x30.bmp", 40},
                 {"map24-im-bmp3-192x112.bmp", "sub8-nb-mapfile-192x112.bmp", 192},
                 {"map24-nb-22x30.bmp", nullptr, 22}};
    for (const Pair& pair : pairs) {
        std::string data = TARVO_TEST_DATA_DIR "/bmp/";
        std::string path = dir.File(std::string("import-") + pair.colours);
        std::filesystem::copy_file(data + pair.colours, path);
        if (pair.subtypes != nullptr) {
            std::filesystem::copy_file(data + pair.subtypes, SubtypeFileName(path));
        }
        ASSERT_EQ(ImportBitmap(map.art, path), 0) << pair.colours;
        const CTileGrid& grid = map.grid;
        ASSERT_EQ(grid.GetWidth(), pair.width);
        int w = grid.GetWidth();
        int h = grid.GetHeight();
        EXPECT_EQ(grid.GetTileAt(0, 0)->type, TERRAIN_TYPE_SUBURB);
        EXPECT_EQ(grid.GetTileAt(w - 1, h - 1)->type, TERRAIN_TYPE_SUBURB);
        EXPECT_EQ(grid.GetTileAt(1, 0)->type, TERRAIN_TYPE_GRASS);
        EXPECT_EQ(grid.GetTileAt(w / 2, 1)->type, TERRAIN_TYPE_OCEAN);
        if (pair.subtypes != nullptr) {
            // Index 1 + (y * w + x) mod 81, read as the raw byte whatever the palette says.
            EXPECT_EQ(grid.GetTileAt(5, 2)->requestedSubtype, 1 + (2 * w + 5) % 81) << pair.colours;
        }
    }
}

}  // namespace
