#pragma once

#include "generate/height_reader.h"
#include "image/dib_image.h"

// 8-bit BMP pictures, read whole through the editor's own reader: a pixel's height is the grey
// of its colour.
class CBmpHeightReader : public CHeightReader {
  public:
    bool Open(const std::string& path, std::string& reason) override;
    bool ReadRow(float* values, uint8_t* hasData, std::string& reason) override;

  private:
    CDibImage picture;
    int nextRow = 0;
};
