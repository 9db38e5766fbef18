// Each measurement has its baseline beside it, run in the same binary: the smooth resizes against
// a plain bilinear filter of the same sizes without key handling, and our JPEG path through the
// map file's file object against the same libjpeg work with libjpeg's own memory destination
// and source.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "bench_support.h"
#include "image/dib_image.h"
#include "image/jpeg_io.h"
#include "platform/file.h"

namespace {

// The baseline filter: the same sample positions and arithmetic, no key tests.
void PlainBilinear24(const CDibImage& source, CDibImage& target, int width, int height) {
    target.Create(width, height, 3);
    const int sourceWidth = source.GetWidth();
    const int sourceHeight = source.GetHeight();
    for (int i = 0; i < height; ++i) {
        double yf = std::clamp(((i + 0.5) * sourceHeight) / height - 0.5, 0.0, sourceHeight - 1.0);
        int y0 = static_cast<int>(yf);
        int y1 = std::min(y0 + 1, sourceHeight - 1);
        double wy = yf - y0;
        const uint8_t* row0 = source.RowPtr(y0);
        const uint8_t* row1 = source.RowPtr(y1);
        uint8_t* out = target.RowPtr(i);
        for (int k = 0; k < width; ++k, out += 3) {
            double xf = std::clamp(((k + 0.5) * sourceWidth) / width - 0.5, 0.0, sourceWidth - 1.0);
            int x0 = static_cast<int>(xf);
            int x1 = std::min(x0 + 1, sourceWidth - 1);
            double dx = xf - x0;
            for (int c = 0; c < 3; ++c) {
                double top = row0[3 * x0 + c] + dx * (row0[3 * x1 + c] - row0[3 * x0 + c]);
                double bottom = row1[3 * x0 + c] + dx * (row1[3 * x1 + c] - row1[3 * x0 + c]);
                out[c] = static_cast<uint8_t>(top + wy * (bottom - top));
            }
        }
    }
}

// Arguments: source side, target side.
void ResizeSizes(benchmark::internal::Benchmark* benchmark) {
    for (auto [from, to] :
         {std::pair{900, 450}, {900, 225}, {900, 90}, {100, 50}, {100, 25}, {100, 10}}) {
        benchmark->Args({from, to});
    }
}

void BM_SmoothResize24(benchmark::State& state) {
    CDibImage source = ArtPicture(static_cast<int>(state.range(0)));
    const int side = static_cast<int>(state.range(1));
    CDibImage target;
    for (auto _ : state) {
        target.ResizeFrom(0, 0, side, side, source, true);
        benchmark::DoNotOptimize(target.bits.get());
    }
}
BENCHMARK(BM_SmoothResize24)->Apply(ResizeSizes)->Unit(benchmark::kMicrosecond);

void BM_PlainBilinearBaseline(benchmark::State& state) {
    CDibImage source = ArtPicture(static_cast<int>(state.range(0)));
    const int side = static_cast<int>(state.range(1));
    CDibImage target;
    for (auto _ : state) {
        PlainBilinear24(source, target, side, side);
        benchmark::DoNotOptimize(target.bits.get());
    }
}
BENCHMARK(BM_PlainBilinearBaseline)->Apply(ResizeSizes)->Unit(benchmark::kMicrosecond);

void BM_WriteJpegThroughFile(benchmark::State& state) {
    CDibImage cell = ArtPicture(100);
    ScratchFile scratch("write.jpg");
    CFile file;
    file.Open(scratch.path, CFile::OpenMode::CreateWrite);
    for (auto _ : state) {
        file.Seek(0, CFile::SeekFrom::Begin);
        benchmark::DoNotOptimize(cell.WriteJpeg(file));
    }
    state.counters["stream bytes"] = static_cast<double>(file.GetPosition());
}
BENCHMARK(BM_WriteJpegThroughFile)->Unit(benchmark::kMicrosecond);

void BM_WriteJpegToMemoryBaseline(benchmark::State& state) {
    CDibImage cell = ArtPicture(100);
    size_t size = 0;
    for (auto _ : state) {
        size = EncodeToMemory(cell).size();
        benchmark::DoNotOptimize(size);
    }
    state.counters["stream bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_WriteJpegToMemoryBaseline)->Unit(benchmark::kMicrosecond);

void BM_ReadJpegThroughFile(benchmark::State& state) {
    ScratchFile scratch("read.jpg");
    CFile file;
    file.Open(scratch.path, CFile::OpenMode::CreateWrite);
    ArtPicture(100).WriteJpeg(file);
    file.Open(scratch.path, CFile::OpenMode::Read);
    CDibImage cell;
    for (auto _ : state) {
        file.Seek(0, CFile::SeekFrom::Begin);
        benchmark::DoNotOptimize(cell.ReadJpeg(file));
    }
}
BENCHMARK(BM_ReadJpegThroughFile)->Unit(benchmark::kMicrosecond);

void BM_ReadJpegFromMemoryBaseline(benchmark::State& state) {
    std::vector<uint8_t> stream = EncodeToMemory(ArtPicture(100));
    CDibImage cell;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeFromMemory(stream, cell));
    }
}
BENCHMARK(BM_ReadJpegFromMemoryBaseline)->Unit(benchmark::kMicrosecond);

}  // namespace
