// Fix Transitions of a 1000 x 1000 map of islands painted as plain grass and ocean, against
// filling the same map with one terrain; and its parts: reading the corners back from the tiles
// and solving them.
#include <benchmark/benchmark.h>

#include <cmath>

#include "document/map_document.h"
#include "edit/map_editor.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"
#include "transitions/corner_field.h"

namespace {

constexpr int kSide = 1000;

// Islands of a few dozen tiles across, where two waves of the plane rise above the sea.
void PaintIslands(CTileGrid& grid) {
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const double height =
                std::sin(x * 0.11) * std::cos(y * 0.13) + 0.6 * std::sin((x + 2 * y) * 0.037);
            grid.SetTile(height > 0.45 ? TERRAIN_TYPE_GRASS : TERRAIN_TYPE_OCEAN, 1, x, y);
        }
    }
}

struct IslandMap {
    IslandMap() {
        theTerrainTable.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini");
        map.MakeNew(kSide, kSide, TERRAIN_TYPE_OCEAN);
        PaintIslands(map.grid);
    }
    CMapDocument map;
};

void BM_FillAll(benchmark::State& state) {
    IslandMap islands;
    for (auto _ : state) {
        islands.map.grid.FillAll(TERRAIN_TYPE_GRASS);
    }
}
BENCHMARK(BM_FillAll)->Unit(benchmark::kMillisecond);

void BM_ReadBackCorners(benchmark::State& state) {
    IslandMap islands;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CCornerField::ReadBack(islands.map.grid, {0, 0, kSide, kSide}));
    }
}
BENCHMARK(BM_ReadBackCorners)->Unit(benchmark::kMillisecond);

void BM_SolveCorners(benchmark::State& state) {
    IslandMap islands;
    const CTransitionSolver solver(islands.map.grid, TransitionOptions::Default());
    const CCornerField read = CCornerField::ReadBack(islands.map.grid, {0, 0, kSide, kSide});
    const std::vector<bool> fixed(static_cast<size_t>(kSide + 1) * (kSide + 1));
    CRandom random;
    for (auto _ : state) {
        state.PauseTiming();
        CCornerField field = read;
        state.ResumeTiming();
        benchmark::DoNotOptimize(solver.Solve(field, {0, 0, kSide, kSide}, fixed, random));
    }
}
BENCHMARK(BM_SolveCorners)->Unit(benchmark::kMillisecond);

// The whole command as the editor runs it: corners, solve, the tiles written as one step with
// their overview pixels.
void BM_FixTransitions(benchmark::State& state) {
    IslandMap islands;
    CMapEditor editor(islands.map.art, islands.map.overview);
    for (auto _ : state) {
        state.PauseTiming();
        PaintIslands(islands.map.grid);
        editor.StartHistory(true);
        state.ResumeTiming();
        TransitionPlan plan =
            editor.FixTransitions({0, 0, kSide, kSide}, TransitionOptions::Default());
        state.counters["tiles"] = static_cast<double>(plan.picks.size());
        state.counters["unfit"] = static_cast<double>(plan.unfit.size());
    }
}
BENCHMARK(BM_FixTransitions)->Unit(benchmark::kMillisecond);

}  // namespace
