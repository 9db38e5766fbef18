#include "png_render.h"

#include <isa-l/igzip_lib.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "art/tile_renderer.h"
#include "platform/work_pool.h"
#include "png_file.h"

namespace {

// Raw pixels a band may hold: a few megabytes, so that the bands of both cores stay in cache's
// reach of memory and a map of any height takes the same.
constexpr size_t kBandBytes = size_t{4} << 20;
constexpr int kCompressionLevel = 1;
constexpr uint8_t kFilterNone = 0;
constexpr uint8_t kFilterUp = 2;

// What a worker reuses from band to band.
struct BandScratch {
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> rows;        // filtered scanlines, each led by its filter byte
    std::vector<uint8_t> compressor;  // the compressor's hash tables
};

// A band's piece of the zlib stream and what joining it needs.
struct CompressedBand {
    std::vector<uint8_t> bytes;
    uLong adler = 0;
    size_t rawLength = 0;
};

// The scanlines of the band's pixels: a band's first row unfiltered, so that bands stand alone,
// the others as their difference from the row above (the Up filter).
void FilterRows(const std::vector<uint32_t>& pixels, int width, int height,
                std::vector<uint8_t>& rows) {
    const size_t rowBytes = 1 + 3 * static_cast<size_t>(width);
    rows.resize(rowBytes * height);
    for (int y = 0; y < height; ++y) {
        const uint32_t* pixel = pixels.data() + static_cast<size_t>(y) * width;
        uint8_t* out = rows.data() + rowBytes * y;
        out[0] = y == 0 ? kFilterNone : kFilterUp;
        for (int x = 0; x < width; ++x) {
            out[1 + 3 * x] = static_cast<uint8_t>(pixel[x] >> 16);
            out[2 + 3 * x] = static_cast<uint8_t>(pixel[x] >> 8);
            out[3 + 3 * x] = static_cast<uint8_t>(pixel[x]);
        }
    }
    // From the bottom up, so that every row is taken from the row above before that one changes.
    for (int y = height - 1; y > 0; --y) {
        uint8_t* row = rows.data() + rowBytes * y + 1;
        const uint8_t* above = row - rowBytes;
        for (size_t i = 0; i + 1 < rowBytes; ++i) {
            row[i] = static_cast<uint8_t>(row[i] - above[i]);
        }
    }
}

// A stretch of the zlib stream: raw deflate that ends on a byte boundary (a sync flush) and, for
// the last band, closes the stream.
bool Deflate(const std::vector<uint8_t>& rows, bool last, BandScratch& scratch,
             CompressedBand& band) {
    scratch.compressor.resize(ISAL_DEF_LVL1_DEFAULT);
    isal_zstream stream{};
    isal_deflate_init(&stream);
    stream.level = kCompressionLevel;
    stream.level_buf = scratch.compressor.data();
    stream.level_buf_size = static_cast<uint32_t>(scratch.compressor.size());
    stream.gzip_flag = IGZIP_DEFLATE;
    stream.flush = SYNC_FLUSH;
    stream.end_of_stream = last ? 1 : 0;
    stream.next_in = const_cast<uint8_t*>(rows.data());
    stream.avail_in = static_cast<uint32_t>(rows.size());
    band.bytes.resize(rows.size() / 2 + 1024);
    for (;;) {
        stream.next_out = band.bytes.data() + stream.total_out;
        stream.avail_out = static_cast<uint32_t>(band.bytes.size() - stream.total_out);
        if (isal_deflate(&stream) != COMP_OK) {
            return false;
        }
        const int finished = last ? ZSTATE_END : ZSTATE_NEW_HDR;
        if (stream.avail_in == 0 && stream.internal_state.state == finished) {
            break;
        }
        if (stream.avail_out != 0) {
            return false;  // neither done nor waiting for room
        }
        band.bytes.resize(band.bytes.size() * 2);  // pictures that hardly compress
    }
    band.bytes.resize(stream.total_out);
    band.adler = adler32_z(adler32(0, nullptr, 0), rows.data(), rows.size());
    band.rawLength = rows.size();
    return true;
}

bool CompressBand(const CMapArt& art, int tileSize, int firstRow, int tileRows, bool last,
                  BandScratch& scratch, CompressedBand& band) {
    const int width = art.Grid().GetWidth() * tileSize;
    const int height = tileRows * tileSize;
    scratch.pixels.resize(static_cast<size_t>(width) * height);
    RgbTarget target{scratch.pixels.data(), width, height, width};
    RenderTiles(art, tileSize, 0, firstRow, art.Grid().GetWidth(), firstRow + tileRows, target, 0,
                0);
    FilterRows(scratch.pixels, width, height, scratch.rows);
    return Deflate(scratch.rows, last, scratch, band);
}

}  // namespace

bool RenderPng(const CMapArt& art, int tileSize, std::FILE* out, std::string& reason) {
    const CTileGrid& grid = art.Grid();
    const size_t tileRowBytes = size_t{4} * grid.GetWidth() * tileSize * tileSize;
    const int bandRows = static_cast<int>(
        std::clamp<size_t>(kBandBytes / tileRowBytes, 1, static_cast<size_t>(grid.GetHeight())));
    const int bands = (grid.GetHeight() + bandRows - 1) / bandRows;

    CPngFile file(out);
    file.WriteHeader(static_cast<uint32_t>(grid.GetWidth() * tileSize),
                     static_cast<uint32_t>(grid.GetHeight() * tileSize));
    file.WriteImageData({0x78, 0x01});  // the zlib header: deflate, 32 KB window, fastest
    uLong adler = adler32(0, nullptr, 0);

    // The workers only read the art.
    for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
        art.CustomArtFor(type)->PrepareDrawing();
    }
    CWorkPool pool;
    std::vector<BandScratch> scratch(pool.Threads());
    std::vector<CompressedBand> round(pool.Threads());
    for (int first = 0; first < bands; first += pool.Threads()) {
        const int count = std::min(pool.Threads(), bands - first);
        bool compressed = pool.Run(count, [&](int i, int worker) {
            const int band = first + i;
            const int firstRow = band * bandRows;
            const int rows = std::min(bandRows, grid.GetHeight() - firstRow);
            return CompressBand(art, tileSize, firstRow, rows, band == bands - 1, scratch[worker],
                                round[i]);
        });
        if (!compressed) {
            reason = "the picture could not be compressed";
            return false;
        }
        for (int i = 0; i < count; ++i) {
            file.WriteImageData(round[i].bytes);
            adler =
                adler32_combine(adler, round[i].adler, static_cast<z_off_t>(round[i].rawLength));
        }
    }
    const auto check = static_cast<uint32_t>(adler);
    file.WriteImageData({static_cast<uint8_t>(check >> 24), static_cast<uint8_t>(check >> 16),
                         static_cast<uint8_t>(check >> 8), static_cast<uint8_t>(check)});
    file.WriteEnd();
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}
