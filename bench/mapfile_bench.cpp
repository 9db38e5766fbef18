// Map file save and load, each beside a baseline run in the same binary:
// - a 192 x 112 map with all sixteen custom types and eight city pictures, against the JPEG work
//   alone done with plain libjpeg in memory (all four images of every cell encoded; only the
//   full cells decoded, which is all a load needs);
// - a 1000 x 1000 map without art, against reading the same file with one fread and, per tile,
//   storing type and request in a plain array and drawing one random number.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "art/overview_picture.h"
#include "bench_support.h"
#include "mapfile/map_file.h"
#include "model/random.h"
#include "model/terrain_table.h"
#include "platform/work_pool.h"

namespace {

constexpr int kCells = 81;

struct BenchMap {
    CTileGrid grid;
    CMapArt art{grid};
    CDibImage overview;
};

void LoadGameData() {
    static bool loaded = theTerrainTable.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini") == 0;
    if (!loaded) {
        std::fprintf(stderr, "cannot read the game data file\n");
    }
}

std::unique_ptr<BenchMap> NewMap(int width, int height) {
    LoadGameData();
    auto map = std::make_unique<BenchMap>();
    map->grid.Allocate(width, height);
    map->grid.FillAll(TERRAIN_TYPE_GRASS);
    return map;
}

// 192 x 112 with every custom type in use and eight city pictures.
std::unique_ptr<BenchMap> RichMap() {
    auto map = NewMap(192, 112);
    CDibImage sheet = ArtPicture(kCustomArtSide);
    for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
        CCustomTerrainArt& art = *map->art.CustomArtFor(type);
        art.full.Create(kCustomArtSide, kCustomArtSide, 3);
        art.full.CopyRect(0, 0, kCustomArtSide, kCustomArtSide, 0, 0, sheet);
        art.BuildZooms();
        art.sourcePath = "custom.bmp";
        art.loaded = 1;
        map->grid.SetTile(type, 1, type, 5);
    }
    for (int i = 0; i < 8; ++i) {
        auto city = std::make_unique<CTerrainArt>();
        city->full = ArtPicture(160);
        city->BuildZooms();
        city->name = "city.bmp";
        map->art.AppendCityArt(city.release());
    }
    RebuildOverview(map->art, map->overview);
    return map;
}

std::unique_ptr<BenchMap> BigMap() {
    auto map = NewMap(1000, 1000);
    RebuildOverview(map->art, map->overview);
    return map;
}

void Save(BenchMap& map, const std::string& path) {
    if (SaveMap(path, map.art, map.overview) != 0) {
        std::fprintf(stderr, "save failed\n");
    }
}

// The argument is the number of threads that code the art; 0 for the machine's cores.
void BM_SaveRichMap(benchmark::State& state) {
    auto map = RichMap();
    ScratchFile file("rich.gmp");
    CWorkPool::SetDefaultThreads(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Save(*map, file.path);
    }
    CWorkPool::SetDefaultThreads(0);
}
BENCHMARK(BM_SaveRichMap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every cell of the sixteen sheets with its zoom copies already made, encoded into memory.
void BM_EncodeCellsBaseline(benchmark::State& state) {
    CDibImage sheet = ArtPicture(kCustomArtSide);
    std::vector<std::unique_ptr<CTerrainArt>> cells;
    for (int cell = 0; cell < kCells; ++cell) {
        auto art = std::make_unique<CTerrainArt>();
        art->full.Create(kCustomCellSide, kCustomCellSide, 3);
        art->full.CopyRect(0, 0, kCustomCellSide, kCustomCellSide, cell % 9 * kCustomCellSide,
                           cell / 9 * kCustomCellSide, sheet);
        art->BuildZooms();
        cells.push_back(std::move(art));
    }
    for (auto _ : state) {
        for (int type = 0; type < kCustomTypes; ++type) {
            for (const auto& cell : cells) {
                for (const CDibImage* image :
                     {&cell->full, &cell->half, &cell->quarter, &cell->tenth}) {
                    benchmark::DoNotOptimize(EncodeToMemory(*image).size());
                }
            }
        }
    }
}
BENCHMARK(BM_EncodeCellsBaseline)->Unit(benchmark::kMillisecond);

void BM_LoadRichMap(benchmark::State& state) {
    ScratchFile file("rich-load.gmp");
    Save(*RichMap(), file.path);
    BenchMap loaded;
    CWorkPool::SetDefaultThreads(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadMap(file.path, loaded.art, loaded.overview));
    }
    CWorkPool::SetDefaultThreads(0);
}
BENCHMARK(BM_LoadRichMap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The sixteen sheets' full cells decoded from memory.
void BM_DecodeFullCellsBaseline(benchmark::State& state) {
    CDibImage sheet = ArtPicture(kCustomArtSide);
    std::vector<std::vector<uint8_t>> streams;
    for (int cell = 0; cell < kCells; ++cell) {
        CDibImage full;
        full.Create(kCustomCellSide, kCustomCellSide, 3);
        full.CopyRect(0, 0, kCustomCellSide, kCustomCellSide, cell % 9 * kCustomCellSide,
                      cell / 9 * kCustomCellSide, sheet);
        streams.push_back(EncodeToMemory(full));
    }
    CDibImage decoded;
    for (auto _ : state) {
        for (int type = 0; type < kCustomTypes; ++type) {
            for (const auto& stream : streams) {
                benchmark::DoNotOptimize(DecodeFromMemory(stream, decoded));
            }
        }
    }
}
BENCHMARK(BM_DecodeFullCellsBaseline)->Unit(benchmark::kMillisecond);

void BM_SaveBigMap(benchmark::State& state) {
    auto map = BigMap();
    ScratchFile file("big.gmp");
    for (auto _ : state) {
        Save(*map, file.path);
    }
}
BENCHMARK(BM_SaveBigMap)->Unit(benchmark::kMillisecond);

void BM_LoadBigMap(benchmark::State& state) {
    ScratchFile file("big-load.gmp");
    Save(*BigMap(), file.path);
    BenchMap loaded;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadMap(file.path, loaded.art, loaded.overview));
    }
}
BENCHMARK(BM_LoadBigMap)->Unit(benchmark::kMillisecond);

void BM_ReadBigMapBaseline(benchmark::State& state) {
    ScratchFile file("big-plain.gmp");
    Save(*BigMap(), file.path);
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> types(1000 * 1000);
    std::vector<uint8_t> requests(1000 * 1000);
    CRandom random(1);
    for (auto _ : state) {
        FILE* in = std::fopen(file.path.c_str(), "rb");
        std::fseek(in, 0, SEEK_END);
        bytes.resize(static_cast<size_t>(std::ftell(in)));
        std::fseek(in, 0, SEEK_SET);
        benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), in));
        std::fclose(in);
        const uint8_t* tile =
            bytes.data() +
            (bytes[18] | bytes[19] << 8 | bytes[20] << 16 | size_t{bytes[21]} << 24) + 8;
        for (size_t i = 0; i < types.size(); ++i, tile += 2) {
            types[i] = tile[0];
            requests[i] = tile[1];
            benchmark::DoNotOptimize(random.Range(0, 9));
        }
        benchmark::DoNotOptimize(types.data());
    }
}
BENCHMARK(BM_ReadBigMapBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
