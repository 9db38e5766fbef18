// Terrain art: zoom copies of an imported sheet, and drawing a full-screen view of tiles with a
// river piece on every tile, against copying the same number of bytes with memcpy.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "art/custom_terrain_art.h"
#include "art/tile_renderer.h"
#include "bench_support.h"
#include "model/terrain_table.h"

namespace {

constexpr int kViewWidth = 1920;
constexpr int kViewHeight = 1080;
constexpr int kColumns = (kViewWidth + 49) / 50;
constexpr int kRows = (kViewHeight + 49) / 50;

void BM_BuildZooms900(benchmark::State& state) {
    CCustomTerrainArt art;
    art.full = ArtPicture(kCustomArtSide);
    for (auto _ : state) {
        art.BuildZooms();
        benchmark::DoNotOptimize(art.tenth.bits.get());
    }
}
BENCHMARK(BM_BuildZooms900)->Unit(benchmark::kMillisecond);

void BM_RenderViewWithRivers(benchmark::State& state) {
    theTerrainTable.Record(TERRAIN_TYPE_HILLS_1).subtypeCount = 81;
    CTileGrid grid;
    CMapArt art(grid);
    grid.Allocate(kColumns, kRows);
    grid.FillAll(TERRAIN_TYPE_HILLS_1);
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            grid.AddOverlay(x, y, (x + y) % 2, (x * 7 + y) % 81);
        }
    }
    std::vector<uint32_t> pixels(kViewWidth * kViewHeight);
    RgbTarget target{pixels.data(), kViewWidth, kViewHeight, kViewWidth};
    for (auto _ : state) {
        RenderTiles(art, 50, 0, 0, kColumns, kRows, target, 0, 0);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * pixels.size() * sizeof(uint32_t));
}
BENCHMARK(BM_RenderViewWithRivers)->Unit(benchmark::kMillisecond);

void BM_CopyViewBaseline(benchmark::State& state) {
    std::vector<uint32_t> source(kViewWidth * kViewHeight, 0xFF336699);
    std::vector<uint32_t> pixels(kViewWidth * kViewHeight);
    for (auto _ : state) {
        std::memcpy(pixels.data(), source.data(), pixels.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * pixels.size() * sizeof(uint32_t));
}
BENCHMARK(BM_CopyViewBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
