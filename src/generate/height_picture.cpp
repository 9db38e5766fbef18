#include "generate/height_picture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "generate/area_averager.h"
#include "generate/bmp_height_reader.h"
#include "generate/png_height_reader.h"
#include "generate/tiff_height_reader.h"
#include "interchange/bitmap_interchange.h"

std::unique_ptr<CHeightReader> CHeightReader::ForFile(const std::string& path,
                                                      std::string& reason) {
    unsigned char magic[4] = {};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        return nullptr;
    }
    const size_t read = std::fread(magic, 1, sizeof magic, file);
    std::fclose(file);
    std::unique_ptr<CHeightReader> reader;
    if (read == 4 && std::memcmp(magic, "\x89PNG", 4) == 0) {
        reader = std::make_unique<CPngHeightReader>();
    } else if (read == 4 &&
               (std::memcmp(magic, "II*\0", 4) == 0 || std::memcmp(magic, "MM\0*", 4) == 0)) {
        reader = std::make_unique<CTiffHeightReader>();
    } else if (read >= 2 && magic[0] == 'B' && magic[1] == 'M') {
        reader = std::make_unique<CBmpHeightReader>();
    } else {
        reason = "this is no PNG, TIFF or BMP picture";
        return nullptr;
    }
    return reader->Open(path, reason) ? std::move(reader) : nullptr;
}

bool PeekHeightPicture(const std::string& path, int& width, int& height, std::string& reason) {
    std::unique_ptr<CHeightReader> reader = CHeightReader::ForFile(path, reason);
    if (reader == nullptr) {
        return false;
    }
    width = reader->Width();
    height = reader->Height();
    return true;
}

bool ReadHeightPicture(const std::string& path, int width, int height, bool crop,
                       CHeightField& heights, std::string& reason) {
    std::unique_ptr<CHeightReader> reader = CHeightReader::ForFile(path, reason);
    if (reader == nullptr) {
        return false;
    }
    CAreaAverager averager(reader->Width(), reader->Height(), width, height, crop);
    std::vector<float> values(reader->Width());
    std::vector<uint8_t> hasData(reader->Width());
    for (int y = 0; y < reader->Height(); ++y) {
        if (!reader->ReadRow(values.data(), hasData.data(), reason)) {
            return false;
        }
        averager.AddRow(y, values.data(), hasData.data());
    }
    heights = averager.Result();
    return true;
}

void FittedMapSize(int pictureWidth, int pictureHeight, int& width, int& height) {
    const double scale = std::min(static_cast<double>(kMaxMapWidth) / std::max(pictureWidth, 1),
                                  static_cast<double>(kMaxMapHeight) / std::max(pictureHeight, 1));
    width = std::clamp(static_cast<int>(pictureWidth * scale + 0.5), kMinMapSide, kMaxMapWidth);
    height = std::clamp(static_cast<int>(pictureHeight * scale + 0.5), kMinMapSide, kMaxMapHeight);
}
