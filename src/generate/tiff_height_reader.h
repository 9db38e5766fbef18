#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "generate/height_reader.h"

struct tiff;

// TIFF pictures of one sample a pixel, 8- or 16-bit integers or 32-bit floats, in strips or in
// tiles, through libtiff; GDAL's no-data value, where the file names one, has no data.
class CTiffHeightReader : public CHeightReader {
  public:
    ~CTiffHeightReader() override;

    bool Open(const std::string& path, std::string& reason) override;
    bool ReadRow(float* values, uint8_t* hasData, std::string& reason) override;

  private:
    // The row's samples as heights.
    void Convert(const uint8_t* samples, float* values, uint8_t* hasData) const;
    bool LoadTileRow(std::string& reason);

    tiff* file = nullptr;
    int bitsPerSample = 0;
    int sampleFormat = 0;
    bool tiled = false;
    uint32_t tileWidth = 0;
    uint32_t tileLength = 0;
    std::vector<uint8_t> buffer;  // a scanline, or a row of tiles
    int nextRow = 0;
    int bufferTop = -1;  // the first picture row a loaded row of tiles holds
    std::optional<double> noData;
};
