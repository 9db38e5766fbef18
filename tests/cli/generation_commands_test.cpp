#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdio>

#include "cli_test.h"
#include "model/terrain_type.h"
#include "tool_run.h"

namespace {

class GenerationCommandsTest : public CliTest {};

// A 16-bit grayscale PNG of a cone, highest in the middle.
void WriteCone(const std::string& path, int width, int height) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 16, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(2 * static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double d = std::hypot(x - width / 2.0, y - height / 2.0) / (height / 2.0);
            const int v = static_cast<int>(65535 * std::max(0.0, 1 - d));
            row[2 * x] = static_cast<png_byte>(v >> 8);
            row[2 * x + 1] = static_cast<png_byte>(v);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

// The band of a plain type, from the sea up; -1 for other types.
int BandOf(int type) {
    const int bands[] = {TERRAIN_TYPE_OCEAN,      TERRAIN_TYPE_SHALLOW,   TERRAIN_TYPE_GRASS,
                         TERRAIN_TYPE_HILLS_1,    TERRAIN_TYPE_HILLS_2,   TERRAIN_TYPE_MOUNTAIN_1,
                         TERRAIN_TYPE_MOUNTAIN_2, TERRAIN_TYPE_MOUNTAIN_3};
    for (int band = 0; band < 8; ++band) {
        if (bands[band] == type) {
            return band;
        }
    }
    return -1;
}

// A cone becomes an island with its mountain in the middle: along a line from the middle out
// the bands only fall. A damaged picture and bad options make nothing.
TEST_F(GenerationCommandsTest, HeightmapMakesAMapOfThePicture) {
    WriteCone(dir.File("cone.png"), 300, 200);
    ToolRun run =
        RunTarvoMap(dir, {"heightmap", "cone.png", "-o", "cone.gmp", "--gamedata", kGameData,
                          "--rivers", "none", "--woods", "0", "--farms", "0", "--swamps", "0"});
    ASSERT_EQ(run.status, 0) << run.err;
    CMapDocument map;
    ASSERT_EQ(map.Load(dir.File("cone.gmp")), 0);
    EXPECT_EQ(map.grid.GetWidth(), 168);  // the picture's proportions within 192 x 112
    EXPECT_EQ(map.grid.GetHeight(), 112);
    EXPECT_EQ(map.grid.GetTileAt(84, 56)->type, TERRAIN_TYPE_MOUNTAIN_3);
    EXPECT_EQ(map.grid.GetTileAt(0, 0)->type, TERRAIN_TYPE_OCEAN);
    int last = 99;
    for (int x = 84; x < 168; ++x) {
        const int band = BandOf(map.grid.GetTileAt(x, 56)->type);
        if (band >= 0) {
            EXPECT_LE(band, last) << x;
            last = band;
        }
    }

    WriteFileBytes(dir.File("broken.png"), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0});
    run =
        RunTarvoMap(dir, {"heightmap", "broken.png", "-o", "broken.gmp", "--gamedata", kGameData});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("damaged"), std::string::npos) << run.err;
    EXPECT_FALSE(FileExists(dir.File("broken.gmp")));
    for (auto [option, value] :
         {std::pair{"--bands", "60,50,70,80,90"}, {"--width", "300"}, {"--rivers", "lots"}}) {
        run = RunTarvoMap(dir, {"heightmap", "cone.png", "-o", "bad.gmp", option, value});
        EXPECT_EQ(run.status, 2) << option;
        EXPECT_NE(run.err.find(option), std::string::npos) << run.err;
    }
    EXPECT_FALSE(FileExists(dir.File("bad.gmp")));
}

// The same seed gives the same bytes, another seed another map; the format's largest sizes are
// admitted.
TEST_F(GenerationCommandsTest, GenerateRepeatsItsMapForASeed) {
    for (const char* name : {"a.gmp", "b.gmp"}) {
        const ToolRun run =
            RunTarvoMap(dir, {"generate", "-o", name, "--width", "80", "--height", "60", "--seed",
                              "12", "--mask", "islands", "--gamedata", kGameData});
        ASSERT_EQ(run.status, 0) << run.err;
    }
    ASSERT_EQ(RunTarvoMap(dir, {"generate", "-o", "c.gmp", "--width", "80", "--height", "60",
                                "--seed", "13", "--mask", "islands", "--gamedata", kGameData})
                  .status,
              0);
    EXPECT_EQ(ReadFileBytes(dir.File("a.gmp")), ReadFileBytes(dir.File("b.gmp")));
    EXPECT_NE(ReadFileBytes(dir.File("a.gmp")), ReadFileBytes(dir.File("c.gmp")));
    EXPECT_EQ(
        RunTarvoMap(dir, {"generate", "-o", "d.gmp", "--width", "1001", "--height", "60"}).status,
        2);
}

}  // namespace
