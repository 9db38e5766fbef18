#include "generate/bmp_height_reader.h"

#include <cstdio>

bool CBmpHeightReader::Open(const std::string& path, std::string& reason) {
    const int result = picture.LoadBmp(path);
    if (result != 0) {
        reason = result == kErrorFileNotFound ? "the file cannot be opened"
                                              : "the BMP file is damaged or of a kind not read";
        return false;
    }
    if (picture.bytesPerPixel != 1) {
        reason = "BMP heights come from an 8-bit picture; this one has " +
                 std::to_string(8 * picture.bytesPerPixel) + " bits a pixel";
        return false;
    }
    width = picture.GetWidth();
    height = picture.GetHeight();
    return true;
}

bool CBmpHeightReader::ReadRow(float* values, uint8_t* hasData, std::string&) {
    for (int x = 0; x < width; ++x) {
        const CDibImage::PaletteEntry& colour = picture.palette[*picture.PixelPtr(x, nextRow)];
        values[x] = (colour.red + colour.green + colour.blue) / 3.0f;
        hasData[x] = 1;
    }
    ++nextRow;
    return true;
}
