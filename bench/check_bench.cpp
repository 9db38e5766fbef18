// tarvo-map check of a generated 1000 x 1000 map (coasts, mountain feet, rivers, woods and
// farms), against loading the same map file; and tarvo-map diff of that map against the same
// map after an afternoon's edits, and against a map of another seed (nearly every tile
// different), against loading both.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "check/map_check.h"
#include "check/map_differences.h"
#include "document/map_document.h"
#include "generate/map_generator.h"
#include "generate/seeded_heights.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"

namespace {

void Generate(uint32_t seed, CMapDocument& map) {
    theTerrainTable.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini");
    GenerationOptions options;
    options.seed = seed;
    GenerateMap(SeededHeights(1000, 1000, seed, LandMask::Continent), options, map);
}

// The map file, made once for the run.
const std::string& GeneratedMapFile() {
    static ScratchFile file("check-1000.gmp");
    static const bool made = [] {
        CMapDocument map;
        Generate(1, map);
        return map.Save(file.path) == 0;
    }();
    (void)made;
    return file.path;
}

void BM_LoadMap1000(benchmark::State& state) {
    const std::string& path = GeneratedMapFile();
    CMapDocument map;
    for (auto _ : state) {
        if (map.Load(path) != 0) {
            state.SkipWithError("the map could not be loaded");
        }
    }
}
BENCHMARK(BM_LoadMap1000)->Unit(benchmark::kMillisecond);

void BM_CheckMap1000(benchmark::State& state) {
    CMapDocument map;
    if (map.Load(GeneratedMapFile()) != 0) {
        state.SkipWithError("the map could not be loaded");
        return;
    }
    const CTerrainTable gameData = theTerrainTable;
    size_t findings = 0;
    for (auto _ : state) {
        findings = CheckMap(map, theTerrainTable, &gameData).size();
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckMap1000)->Unit(benchmark::kMillisecond);

void BM_LoadTwoMaps1000(benchmark::State& state) {
    const std::string& path = GeneratedMapFile();
    CMapDocument a;
    CMapDocument b;
    for (auto _ : state) {
        if (a.Load(path) != 0 || b.Load(path) != 0) {
            state.SkipWithError("the maps could not be loaded");
        }
    }
}
BENCHMARK(BM_LoadTwoMaps1000)->Unit(benchmark::kMillisecond);

// The map against itself after edits: a lake filled in, a strip of woods, rivers, a cost.
void BM_DiffEditedMap1000(benchmark::State& state) {
    CMapDocument before;
    CMapDocument after;
    if (before.Load(GeneratedMapFile()) != 0 || after.Load(GeneratedMapFile()) != 0) {
        state.SkipWithError("the maps could not be loaded");
        return;
    }
    after.grid.FillRect(TERRAIN_TYPE_OCEAN, 1, 400, 400, 500, 480);
    after.grid.FillRect(TERRAIN_TYPE_WOODS, 0, 100, 700, 900, 703);
    for (int x = 200; x < 400; ++x) {
        after.grid.AddOverlay(x, 200, 0, 5);
    }
    CTerrainTable table = theTerrainTable;
    table.Record(TERRAIN_TYPE_GRASS).trackCost += 5;
    size_t changes = 0;
    for (auto _ : state) {
        changes = DiffMaps(before, theTerrainTable, after, table).tiles.size();
    }
    state.counters["rectangles"] = static_cast<double>(changes);
}
BENCHMARK(BM_DiffEditedMap1000)->Unit(benchmark::kMillisecond);

void BM_DiffOtherSeed1000(benchmark::State& state) {
    CMapDocument before;
    CMapDocument after;
    if (before.Load(GeneratedMapFile()) != 0) {
        state.SkipWithError("the map could not be loaded");
        return;
    }
    Generate(2, after);
    size_t changes = 0;
    for (auto _ : state) {
        changes = DiffMaps(before, theTerrainTable, after, theTerrainTable).tiles.size();
    }
    state.counters["rectangles"] = static_cast<double>(changes);
}
BENCHMARK(BM_DiffOtherSeed1000)->Unit(benchmark::kMillisecond);

}  // namespace
