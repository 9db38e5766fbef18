// tarvo-map generate without the saving (seeded heights of a continent, then the whole pipeline
// with the default options) at 192 x 112 and 1000 x 1000 tiles, against filling a map of the
// same size with one terrain; and tarvo-map heightmap of a 10 000 x 10 000 16-bit grayscale PNG
// into 192 x 112 tiles (the picture read and averaged row by row, then the same pipeline),
// against libpng alone reading the file row by row. The largest ones also report how far
// resident memory rose while they ran, in a child process of their own.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "document/map_document.h"
#include "generate/generation_options.h"
#include "generate/height_picture.h"
#include "generate/map_generator.h"
#include "generate/seeded_heights.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"

namespace {

constexpr uint32_t kSeed = 7;
constexpr int kPictureSide = 10000;
constexpr int kImportWidth = 192;
constexpr int kImportHeight = 112;

void LoadGameData() {
    static const bool loaded = theTerrainTable.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini");
    benchmark::DoNotOptimize(loaded);
}

// A figure of /proc/self/status ("VmRSS", "VmHWM") in bytes; -1 when it cannot be read.
int64_t StatusBytes(const char* field) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        return -1;
    }
    const size_t length = std::strlen(field);
    char line[256];
    int64_t kilobytes = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            kilobytes = std::strtoll(line + length + 1, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return kilobytes < 0 ? -1 : kilobytes * 1024;
}

struct MemoryUse {
    double peakMB = -1;  // the highest resident memory while the work ran, above its start
    double keptMB = -1;  // what was still resident when it returned, above its start
};

// Runs work once in a forked child. The baseline is the child's resident memory just before the
// work, after malloc has handed its free pages back (so that memory freed by earlier benchmarks
// is not reused unseen) and the kernel's high-water mark was reset to it. What the work leaves
// behind (a map it made into an object outside it) counts as kept.
MemoryUse MeasureMemory(const std::function<void()>& work) {
    int channel[2];
    if (pipe(channel) != 0) {
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        MemoryUse use;
        malloc_trim(0);
        std::FILE* clear = std::fopen("/proc/self/clear_refs", "w");
        const bool reset = clear != nullptr && std::fputs("5", clear) >= 0;
        if (clear != nullptr && std::fclose(clear) == 0 && reset) {
            const int64_t start = StatusBytes("VmRSS");
            work();
            const int64_t peak = StatusBytes("VmHWM");
            malloc_trim(0);
            const int64_t kept = StatusBytes("VmRSS");
            use.peakMB = static_cast<double>(peak - start) / (1 << 20);
            use.keptMB = static_cast<double>(kept - start) / (1 << 20);
        }
        const ssize_t written = write(channel[1], &use, sizeof use);
        _exit(written == sizeof use ? 0 : 1);
    }
    close(channel[1]);
    MemoryUse use;
    if (child < 0 || read(channel[0], &use, sizeof use) != sizeof use) {
        use = {};
    }
    close(channel[0]);
    if (child > 0) {
        waitpid(child, nullptr, 0);
    }
    return use;
}

void ReportMemory(benchmark::State& state, const MemoryUse& use) {
    state.counters["peak_MB"] = use.peakMB;
    state.counters["map_MB"] = use.keptMB;
}

bool Generate(int width, int height, CMapDocument& map) {
    return GenerateMap(SeededHeights(width, height, kSeed, LandMask::Continent),
                       GenerationOptions{}, map);
}

void BM_Generate(benchmark::State& state) {
    LoadGameData();
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    for (auto _ : state) {
        CMapDocument map;
        if (!Generate(width, height, map)) {
            state.SkipWithError("no map");
        }
    }
    if (width * height >= 1000 * 1000) {
        CMapDocument map;
        ReportMemory(state, MeasureMemory([&] { Generate(width, height, map); }));
    }
}
BENCHMARK(BM_Generate)->Args({192, 112})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate)->Args({1000, 1000})->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_FillAll(benchmark::State& state) {
    LoadGameData();
    CMapDocument map;
    map.MakeNew(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                TERRAIN_TYPE_OCEAN);
    for (auto _ : state) {
        map.grid.FillAll(TERRAIN_TYPE_GRASS);
    }
}
BENCHMARK(BM_FillAll)->Args({192, 112})->Args({1000, 1000})->Unit(benchmark::kMillisecond);

// Rolling land: waves running every way, in octaves each twice as fine and little over half as
// high as the one before, a few waves an octave.
class TerrainRows {
  public:
    TerrainRows() : columns(2 * kWaves * kPictureSide), sum(kPictureSide) {
        for (int k = 0; k < kWaves; ++k) {
            const int octave = k / kWavesPerOctave;
            const double frequency = 2 * M_PI * 2.5 * std::pow(2.0, octave) *
                                     (1 + 0.3 * (k % kWavesPerOctave)) / kPictureSide;
            const double angle = 2.39996 * k;  // the golden angle, so that no two run alike
            const double phase = 1.7 * k;
            waves[k] = {frequency * std::sin(angle), std::pow(0.55, octave)};
            total += static_cast<float>(waves[k].amplitude);
            for (int x = 0; x < kPictureSide; ++x) {
                const double along = frequency * std::cos(angle) * x + phase;
                columns[(2 * k) * kPictureSide + x] = static_cast<float>(std::sin(along));
                columns[(2 * k + 1) * kPictureSide + x] = static_cast<float>(std::cos(along));
            }
        }
    }

    // Row y as big-endian 16-bit samples: each sin(fx x + fy y + phase) split into a part of the
    // column and a part of the row.
    void Fill(int y, std::vector<uint8_t>& row) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int k = 0; k < kWaves; ++k) {
            const float byCos = static_cast<float>(waves[k].amplitude * std::cos(waves[k].fy * y));
            const float bySin = static_cast<float>(waves[k].amplitude * std::sin(waves[k].fy * y));
            const float* sines = &columns[(2 * k) * kPictureSide];
            const float* cosines = &columns[(2 * k + 1) * kPictureSide];
            for (int x = 0; x < kPictureSide; ++x) {
                sum[x] += byCos * sines[x] + bySin * cosines[x];
            }
        }
        const float scale = 65535 / (2 * total);
        for (int x = 0; x < kPictureSide; ++x) {
            const auto sample = static_cast<uint16_t>((sum[x] + total) * scale);
            row[2 * x] = static_cast<uint8_t>(sample >> 8);
            row[2 * x + 1] = static_cast<uint8_t>(sample);
        }
    }

  private:
    static constexpr int kWavesPerOctave = 3;
    static constexpr int kWaves = 7 * kWavesPerOctave;
    struct Wave {
        double fy, amplitude;
    };
    Wave waves[kWaves];
    float total = 0;
    std::vector<float> columns;
    std::vector<float> sum;  // of the waves along the row being made
};

// Written row by row at zlib's fastest level, so that the picture is never whole in memory.
bool WriteTerrainPicture(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    TerrainRows terrain;
    std::vector<uint8_t> row(2 * kPictureSide);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_IHDR(png, info, kPictureSide, kPictureSide, 16, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    for (int y = 0; y < kPictureSide; ++y) {
        terrain.Fill(y, row);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// The picture, written the first time it is asked for and removed when the program ends; an
// empty path when it could not be written.
const std::string& TerrainPicture() {
    static const ScratchFile file("terrain-10k.png");
    static const std::string path = WriteTerrainPicture(file.path) ? file.path : std::string();
    return path;
}

bool ImportPicture(const std::string& path, CMapDocument& map, std::string& reason) {
    CHeightField heights;
    if (!ReadHeightPicture(path, kImportWidth, kImportHeight, false, heights, reason)) {
        return false;
    }
    if (!GenerateMap(heights, GenerationOptions{}, map)) {
        reason = "no map";
        return false;
    }
    return true;
}

void BM_HeightmapImport10k(benchmark::State& state) {
    LoadGameData();
    const std::string& path = TerrainPicture();
    if (path.empty()) {
        state.SkipWithError("the picture could not be written");
        return;
    }
    std::string reason;
    for (auto _ : state) {
        CMapDocument map;
        if (!ImportPicture(path, map, reason)) {
            state.SkipWithError(reason.c_str());
        }
    }
    CMapDocument map;
    ReportMemory(state, MeasureMemory([&] { ImportPicture(path, map, reason); }));
}
BENCHMARK(BM_HeightmapImport10k)->Iterations(2)->Unit(benchmark::kMillisecond);

// Decompresses and unfilters the rows of the picture into one row buffer, and does nothing more.
bool ReadRowsWithLibpng(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    std::vector<uint8_t> row;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
        std::fclose(file);
        return false;
    }
    png_set_user_limits(png, 100000, 100000);
    png_init_io(png, file);
    png_read_info(png, info);
    row.resize(png_get_rowbytes(png, info));
    const png_uint_32 height = png_get_image_height(png, info);
    for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(png, row.data(), nullptr);
        benchmark::DoNotOptimize(row.data());
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return true;
}

void BM_LibpngRead10k(benchmark::State& state) {
    const std::string& path = TerrainPicture();
    if (path.empty()) {
        state.SkipWithError("the picture could not be written");
        return;
    }
    for (auto _ : state) {
        if (!ReadRowsWithLibpng(path)) {
            state.SkipWithError("libpng could not read the picture");
        }
    }
}
BENCHMARK(BM_LibpngRead10k)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
