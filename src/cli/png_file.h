#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

// An 8-bit RGB PNG file written chunk by chunk: the header, the image data as it comes (a zlib
// stream in pieces, each its own IDAT chunk), the end. Writes go to a stdio stream; the caller
// checks it for errors.
class CPngFile {
  public:
    explicit CPngFile(std::FILE* out) : out(out) {}

    void WriteHeader(uint32_t width, uint32_t height);
    void WriteImageData(const std::vector<uint8_t>& bytes);
    void WriteEnd();

  private:
    void WriteChunk(const char type[4], const uint8_t* data, size_t size);

    std::FILE* out;
};
