#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>

#include "art/tile_renderer.h"
#include "cli_test.h"
#include "mapfile/map_file.h"
#include "support/peak_memory.h"
#include "tool_run.h"

namespace {

uint32_t BigEndian32(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 |
           uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

// The pixels of a PNG file as 0xFFRRGGBB, or nothing when it does not decode.
std::vector<uint32_t> DecodePng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        return {};
    }
    std::vector<uint32_t> pixels(rgb.size() / 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = 0xFF000000u | rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2];
    }
    return pixels;
}

using RenderCommandTest = CliTest;

// Drawn band by band: tall enough for several bands at 50 and 25 pixels a tile, the last one
// short, and rivers across the bands' edges.
TEST_F(RenderCommandTest, WritesWhatTheRendererDrawsAsAnRgbPng) {
    CMapDocument map;
    map.MakeNew(21, 100, TERRAIN_TYPE_GRASS);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 21; ++x) {
            map.grid.SetTile(2 + (x * 7 + y) % 16, 1 + (x + 2 * y) % 10, x, y);
        }
        map.grid.AddOverlay(4, y, kWideRiver, 12 + y % 3);
    }
    ASSERT_EQ(SaveMap(dir.File("map.gmp"), map.art, map.overview), 0);

    for (int tileSize : {50, 25, 10}) {
        std::string name = "map" + std::to_string(tileSize) + ".png";
        ToolRun run =
            RunTarvoMap(dir, {"render", "map.gmp", name, "--tile", std::to_string(tileSize)});
        ASSERT_EQ(run.status, 0) << run.err;
        std::vector<uint8_t> bytes = ReadFileBytes(dir.File(name));
        ASSERT_GE(bytes.size(), 26u);
        EXPECT_EQ(BigEndian32(bytes, 16), 21u * tileSize);
        EXPECT_EQ(BigEndian32(bytes, 20), 100u * tileSize);
        EXPECT_EQ(bytes[24], 8);                   // bits per channel
        EXPECT_EQ(bytes[25], PNG_COLOR_TYPE_RGB);  // no alpha, no palette

        std::vector<uint32_t> expected(21u * 100u * tileSize * tileSize);
        RgbTarget target{expected.data(), 21 * tileSize, 100 * tileSize, 21 * tileSize};
        RenderTiles(map.art, tileSize, 0, 0, 21, 100, target, 0, 0);
        EXPECT_TRUE(DecodePng(dir.File(name)) == expected) << tileSize;
    }
    // 50 pixels a tile unless asked otherwise.
    ASSERT_EQ(RunTarvoMap(dir, {"render", "map.gmp", "default.png"}).status, 0);
    EXPECT_EQ(ReadFileBytes(dir.File("default.png")), ReadFileBytes(dir.File("map50.png")));

    ToolRun missing = RunTarvoMap(dir, {"render", "gone.gmp", "gone.png"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Unable to load map: gone.gmp"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("gone.png")));
}

// Standard output that is a pipe, named /dev/stdout or -, gets the picture a file gets.
TEST_F(RenderCommandTest, WritesIntoAPipeOnStandardOutput) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_DESERT);
    ASSERT_EQ(SaveMap(dir.File("map.gmp"), map.art, map.overview), 0);
    ASSERT_EQ(RunTarvoMap(dir, {"render", "map.gmp", "map.png", "--tile", "5"}).status, 0);
    const std::vector<uint8_t> expected = ReadFileBytes(dir.File("map.png"));
    for (const std::string output : {"/dev/stdout", "-"}) {
        const std::string command = "cd '" + dir.Path() +
                                    "' && exec '" TARVO_MAP_EXE "' render map.gmp " + output +
                                    " --tile 5";
        std::FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::vector<uint8_t> received;
        for (int byte; (byte = std::fgetc(pipe)) != EOF;) {
            received.push_back(static_cast<uint8_t>(byte));
        }
        EXPECT_EQ(pclose(pipe), 0) << output;
        EXPECT_EQ(received, expected) << output;
    }
    EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>({"map.gmp", "map.png"}));
}

// Memory does not grow with the map's height: a map five times as tall takes the same.
TEST_F(RenderCommandTest, TallMapsRenderInBoundedMemory) {
    if (!MeasuresMemory()) {
        GTEST_SKIP() << "memory figures mean nothing under AddressSanitizer";
    }
    long peaks[2] = {};
    const int heights[2] = {200, 1000};
    for (int i = 0; i < 2; ++i) {
        CMapDocument map;
        map.MakeNew(40, heights[i], TERRAIN_TYPE_WOODS);
        ASSERT_EQ(SaveMap(dir.File("tall.gmp"), map.art, map.overview), 0);
        ToolRun run = RunTarvoMap(dir, {"render", "tall.gmp", "tall.png", "--tile", "25"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(BigEndian32(ReadFileBytes(dir.File("tall.png")), 20), heights[i] * 25u);
        peaks[i] = run.peakKilobytes;
    }
    EXPECT_LT(peaks[1], 64 * 1024);
    EXPECT_LT(peaks[1] - peaks[0], 4 * 1024) << peaks[0] << " KB, then " << peaks[1] << " KB";
}

}  // namespace
