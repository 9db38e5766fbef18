// tarvo-map check of a generated 1000 x 1000 map (coasts, mountain feet, rivers, woods and
// farms), against loading the same map file.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "check/map_check.h"
#include "document/map_document.h"
#include "generate/map_generator.h"
#include "generate/seeded_heights.h"
#include "model/terrain_table.h"

namespace {

// The map file, made once for the run.
const std::string& GeneratedMapFile() {
    static ScratchFile file("check-1000.gmp");
    static const bool made = [] {
        theTerrainTable.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini");
        CMapDocument map;
        GenerationOptions options;
        return GenerateMap(SeededHeights(1000, 1000, 1, LandMask::Continent), options, map) &&
               map.Save(file.path) == 0;
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

}  // namespace
