// tarvo-map render of a 192 x 112 map of mixed country at 50 pixels a tile (9600 x 5600), drawn
// band by band and compressed on all cores (igzip level 1, rows filtered Up), against two
// baselines that take the same pixels already drawn in memory on one core: plain libpng with
// zlib at its fastest level and the same filter, and the filtered rows compressed in one piece
// with the renderer's own compressor and level. Each reports the bytes it made.

#include <benchmark/benchmark.h>
#include <isa-l/igzip_lib.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "art/overview_picture.h"
#include "art/tile_renderer.h"
#include "bench_support.h"
#include "model/terrain_table.h"
#include "platform/work_pool.h"
#include "png_render.h"

namespace {

constexpr int kWidth = 192;
constexpr int kHeight = 112;
constexpr int kTileSize = 50;

struct MixedMap {
    MixedMap() {
        theTerrainTable.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini");
        grid.Allocate(kWidth, kHeight);
        const int types[] = {TERRAIN_TYPE_WOODS,  TERRAIN_TYPE_HILLS_1, TERRAIN_TYPE_FARM,
                             TERRAIN_TYPE_DESERT, TERRAIN_TYPE_OCEAN,   TERRAIN_TYPE_MOUNTAIN_2,
                             TERRAIN_TYPE_SWAMP,  TERRAIN_TYPE_SUBURB,  TERRAIN_TYPE_GRASS};
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                grid.SetTile(types[(x / 7 + y / 5 * 3) % 9], 0, x, y);
                if ((x + 2 * y) % 11 == 0) {
                    grid.AddOverlay(x, y, kWideRiver, (x * 7 + y) % 81);
                }
            }
        }
    }
    CTileGrid grid;
    CMapArt art{grid};
};

constexpr int kPictureWidth = kWidth * kTileSize;
constexpr int kPictureHeight = kHeight * kTileSize;

std::vector<uint32_t> DrawnPixels() {
    MixedMap map;
    std::vector<uint32_t> pixels(static_cast<size_t>(kPictureWidth) * kPictureHeight);
    RenderTiles(map.art, kTileSize, 0, 0, kWidth, kHeight,
                RgbTarget{pixels.data(), kPictureWidth, kPictureHeight, kPictureWidth}, 0, 0);
    return pixels;
}

void BM_RenderMap(benchmark::State& state) {
    CWorkPool::SetDefaultThreads(static_cast<int>(state.range(0)));
    MixedMap map;
    ScratchFile file("render.png");
    std::string reason;
    for (auto _ : state) {
        std::FILE* out = std::fopen(file.path.c_str(), "wb");
        std::vector<char> buffer(size_t{1} << 20);
        std::setvbuf(out, buffer.data(), _IOFBF, buffer.size());
        if (!RenderPng(map.art, kTileSize, out, reason)) {
            state.SkipWithError(reason.c_str());
        }
        std::fclose(out);
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file.path));
    CWorkPool::SetDefaultThreads(0);
}
BENCHMARK(BM_RenderMap)->Arg(0)->Arg(1)->ArgName("threads")->Unit(benchmark::kMillisecond);

void BM_WritePixelsLibpngBaseline(benchmark::State& state) {
    const int width = kPictureWidth;
    const int height = kPictureHeight;
    const std::vector<uint32_t> pixels = DrawnPixels();
    std::vector<png_byte> row(3 * static_cast<size_t>(width));
    ScratchFile file("baseline.png");
    for (auto _ : state) {
        std::FILE* out = std::fopen(file.path.c_str(), "wb");
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, out);
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(png, 1);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y) {
            const uint32_t* pixel = pixels.data() + static_cast<size_t>(y) * width;
            for (int x = 0; x < width; ++x) {
                row[3 * x] = static_cast<png_byte>(pixel[x] >> 16);
                row[3 * x + 1] = static_cast<png_byte>(pixel[x] >> 8);
                row[3 * x + 2] = static_cast<png_byte>(pixel[x]);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, info);
        png_destroy_write_struct(&png, &info);
        std::fclose(out);
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file.path));
}
BENCHMARK(BM_WritePixelsLibpngBaseline)->Unit(benchmark::kMillisecond);

void BM_CompressPixelsIgzipBaseline(benchmark::State& state) {
    const std::vector<uint32_t> pixels = DrawnPixels();
    const size_t rowBytes = 1 + 3 * size_t{kPictureWidth};
    std::vector<uint8_t> rows(rowBytes * kPictureHeight);
    std::vector<uint8_t> level(ISAL_DEF_LVL1_DEFAULT);
    std::vector<uint8_t> compressed(rows.size() + rows.size() / 16 + 1024);
    for (auto _ : state) {
        for (int y = 0; y < kPictureHeight; ++y) {
            const uint32_t* pixel = pixels.data() + size_t{kPictureWidth} * y;
            const uint32_t* above = pixel - kPictureWidth;
            uint8_t* out = rows.data() + rowBytes * y;
            out[0] = y == 0 ? 0 : 2;
            for (int x = 0; x < kPictureWidth; ++x) {
                const uint32_t up = y == 0 ? 0 : above[x];
                out[1 + 3 * x] = static_cast<uint8_t>((pixel[x] >> 16) - (up >> 16));
                out[2 + 3 * x] = static_cast<uint8_t>((pixel[x] >> 8) - (up >> 8));
                out[3 + 3 * x] = static_cast<uint8_t>(pixel[x] - up);
            }
        }
        isal_zstream stream;
        isal_deflate_init(&stream);
        stream.level = 1;
        stream.level_buf = level.data();
        stream.level_buf_size = static_cast<uint32_t>(level.size());
        stream.end_of_stream = 1;
        stream.next_in = rows.data();
        stream.avail_in = static_cast<uint32_t>(rows.size());
        stream.next_out = compressed.data();
        stream.avail_out = static_cast<uint32_t>(compressed.size());
        if (isal_deflate(&stream) != COMP_OK || stream.internal_state.state != ZSTATE_END) {
            state.SkipWithError("igzip failed");
        }
        benchmark::DoNotOptimize(adler32(1, rows.data(), static_cast<uInt>(rows.size())));
        state.counters["bytes"] = static_cast<double>(stream.total_out);
    }
}
BENCHMARK(BM_CompressPixelsIgzipBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
