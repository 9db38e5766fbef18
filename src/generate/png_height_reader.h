#pragma once

#include <png.h>

#include <cstdio>
#include <vector>

#include "generate/height_reader.h"

// Grayscale PNG pictures of 1 to 16 bits, with or without alpha (a transparent pixel has no
// data), through libpng.
class CPngHeightReader : public CHeightReader {
  public:
    ~CPngHeightReader() override;

    bool Open(const std::string& path, std::string& reason) override;
    bool ReadRow(float* values, uint8_t* hasData, std::string& reason) override;

  private:
    bool ReadHeader(std::string& reason);

    std::FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    int bitDepth = 0;
    bool alpha = false;
    std::vector<png_byte> row;
    char problem[256] = {};
};
