#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Reads a picture of heights a row at a time, top row first: the common part of the formats'
// readers.
class CHeightReader {
  public:
    virtual ~CHeightReader() = default;

    // The reader for the file's format, known by its first bytes; null, with reason, for a
    // file that cannot be opened or is of no format a height picture comes in.
    static std::unique_ptr<CHeightReader> ForFile(const std::string& path, std::string& reason);

    // Reads the headers; false, with reason, for a picture that cannot be taken.
    virtual bool Open(const std::string& path, std::string& reason) = 0;
    // The next row's heights (Width() values) and whether each has data; false, with reason,
    // for a damaged picture.
    virtual bool ReadRow(float* values, uint8_t* hasData, std::string& reason) = 0;

    int Width() const { return width; }
    int Height() const { return height; }

  protected:
    int width = 0;
    int height = 0;
};
