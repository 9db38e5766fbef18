#include "generate/tiff_height_reader.h"

#include <tiffio.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

constexpr ttag_t kGdalNoData = 42113;

// libtiff reports through process-wide handlers; the last message is kept for the reason.
thread_local char lastProblem[256];

void OnError(const char*, const char* format, va_list arguments) {
    std::vsnprintf(lastProblem, sizeof lastProblem, format, arguments);
}

void OnWarning(const char*, const char*, va_list) {}

TIFFExtendProc parentExtender = nullptr;

// Teaches libtiff GDAL's no-data tag, so that it can be read.
void AddGdalTags(TIFF* file) {
    static const TIFFFieldInfo fields[] = {
        {kGdalNoData, -1, -1, TIFF_ASCII, FIELD_CUSTOM, 1, 0, const_cast<char*>("GDALNoData")}};
    TIFFMergeFieldInfo(file, fields, 1);
    if (parentExtender != nullptr) {
        parentExtender(file);
    }
}

void InstallHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(OnError);
        TIFFSetWarningHandler(OnWarning);
        parentExtender = TIFFSetTagExtender(AddGdalTags);
    });
}

std::string Problem(const char* what) {
    return lastProblem[0] != 0 ? std::string(what) + ": " + lastProblem : std::string(what);
}

}  // namespace

CTiffHeightReader::~CTiffHeightReader() {
    if (file != nullptr) {
        TIFFClose(file);
    }
}

bool CTiffHeightReader::Open(const std::string& path, std::string& reason) {
    InstallHandlers();
    lastProblem[0] = 0;
    file = TIFFOpen(path.c_str(), "r");
    if (file == nullptr) {
        reason = Problem("the TIFF file cannot be read");
        return false;
    }
    uint32_t w = 0;
    uint32_t h = 0;
    uint16_t bits = 0;
    uint16_t samples = 1;
    uint16_t format = SAMPLEFORMAT_UINT;
    uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetField(file, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(file, TIFFTAG_IMAGELENGTH, &h);
    TIFFGetFieldDefaulted(file, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(file, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(file, TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetFieldDefaulted(file, TIFFTAG_PLANARCONFIG, &planar);
    if (w == 0 || h == 0 || w > 100000 || h > 100000) {
        reason = "the TIFF picture's size is not one that can be read";
        return false;
    }
    const bool integer = format == SAMPLEFORMAT_UINT || format == SAMPLEFORMAT_INT;
    const bool supported = samples == 1 && ((integer && (bits == 8 || bits == 16)) ||
                                            (format == SAMPLEFORMAT_IEEEFP && bits == 32));
    if (!supported) {
        reason =
            "TIFF heights must be one sample a pixel of 8- or 16-bit integers or 32-bit "
            "floats";
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    bitsPerSample = bits;
    sampleFormat = format;
    char* noDataText = nullptr;
    if (TIFFGetField(file, kGdalNoData, &noDataText) == 1 && noDataText != nullptr) {
        char* end = nullptr;
        const double value = std::strtod(noDataText, &end);
        if (end != noDataText) {
            noData = value;
        }
    }
    tiled = TIFFIsTiled(file) != 0;
    if (tiled) {
        TIFFGetField(file, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(file, TIFFTAG_TILELENGTH, &tileLength);
        if (tileWidth == 0 || tileLength == 0 || tileLength > 4096 || tileWidth > 4096) {
            reason = "the TIFF picture's tiles are not of a size that can be read";
            return false;
        }
        const uint32_t across = (w + tileWidth - 1) / tileWidth;
        buffer.resize(static_cast<size_t>(across) * tileWidth * tileLength * (bits / 8));
    } else {
        buffer.resize(static_cast<size_t>(TIFFScanlineSize(file)));
    }
    return true;
}

bool CTiffHeightReader::LoadTileRow(std::string& reason) {
    // The tiles of one band, laid side by side as one picture of tileLength rows.
    const size_t bytes = bitsPerSample / 8;
    const uint32_t across = (static_cast<uint32_t>(width) + tileWidth - 1) / tileWidth;
    std::vector<uint8_t> tileBuffer(static_cast<size_t>(TIFFTileSize(file)));
    const size_t bandStride = static_cast<size_t>(across) * tileWidth * bytes;
    for (uint32_t t = 0; t < across; ++t) {
        if (TIFFReadTile(file, tileBuffer.data(), t * tileWidth, static_cast<uint32_t>(nextRow), 0,
                         0) < 0) {
            reason = Problem("the TIFF file is damaged");
            return false;
        }
        for (uint32_t r = 0; r < tileLength; ++r) {
            std::memcpy(buffer.data() + r * bandStride + t * tileWidth * bytes,
                        tileBuffer.data() + r * tileWidth * bytes, tileWidth * bytes);
        }
    }
    bufferTop = nextRow;
    return true;
}

bool CTiffHeightReader::ReadRow(float* values, uint8_t* hasData, std::string& reason) {
    if (!tiled) {
        if (TIFFReadScanline(file, buffer.data(), static_cast<uint32_t>(nextRow), 0) < 0) {
            reason = Problem("the TIFF file is damaged");
            return false;
        }
        Convert(buffer.data(), values, hasData);
    } else {
        if (bufferTop < 0 || nextRow >= bufferTop + static_cast<int>(tileLength)) {
            if (!LoadTileRow(reason)) {
                return false;
            }
        }
        const uint32_t across = (static_cast<uint32_t>(width) + tileWidth - 1) / tileWidth;
        const size_t bandStride = static_cast<size_t>(across) * tileWidth * (bitsPerSample / 8);
        Convert(buffer.data() + (nextRow - bufferTop) * bandStride, values, hasData);
    }
    ++nextRow;
    return true;
}

void CTiffHeightReader::Convert(const uint8_t* samples, float* values, uint8_t* hasData) const {
    for (int x = 0; x < width; ++x) {
        double value = 0;
        if (sampleFormat == SAMPLEFORMAT_IEEEFP) {
            float sample;
            std::memcpy(&sample, samples + 4 * x, 4);
            value = sample;
        } else if (bitsPerSample == 16) {
            uint16_t sample;
            std::memcpy(&sample, samples + 2 * x, 2);
            value = sampleFormat == SAMPLEFORMAT_INT ? static_cast<int16_t>(sample) : sample;
        } else {
            value = sampleFormat == SAMPLEFORMAT_INT ? static_cast<int8_t>(samples[x]) : samples[x];
        }
        hasData[x] = std::isfinite(value) && !(noData && value == *noData);
        values[x] = hasData[x] ? static_cast<float>(value) : 0;
    }
}
