#include <benchmark/benchmark.h>

#include "model/terrain_table.h"
#include "model/tile_grid.h"

namespace {

constexpr int kSide = 1000;

void UseTenGrassCells() {
    theTerrainTable.Record(TERRAIN_TYPE_GRASS).subtypeCount = 10;
    theTerrainTable.Record(TERRAIN_TYPE_GRASS).setCount = 1;
}

// Fills a million tiles with random cells: one draw and one exit lookup per tile.
void BM_FillAll(benchmark::State& state) {
    UseTenGrassCells();
    CTileGrid grid;
    grid.Allocate(kSide, kSide);
    for (auto _ : state) {
        grid.FillAll(TERRAIN_TYPE_GRASS);
        benchmark::DoNotOptimize(grid.GetTileAt(kSide - 1, kSide - 1)->subtype);
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_FillAll)->Unit(benchmark::kMillisecond);

// Verifies a million valid tiles, the check every load and save runs.
void BM_Verify(benchmark::State& state) {
    UseTenGrassCells();
    CTileGrid grid;
    grid.Allocate(kSide, kSide);
    grid.FillAll(TERRAIN_TYPE_GRASS);
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid.Verify());
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_Verify)->Unit(benchmark::kMillisecond);

}  // namespace
