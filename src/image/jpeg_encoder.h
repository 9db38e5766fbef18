#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/jpeg_io.h"

// Compresses picture after picture into memory with one codec, for writers of many small
// streams: setting a codec up costs about as much as compressing a 50 x 50 picture.
class CJpegEncoder {
  public:
    CJpegEncoder();
    ~CJpegEncoder();
    CJpegEncoder(const CJpegEncoder&) = delete;
    CJpegEncoder& operator=(const CJpegEncoder&) = delete;

    // Compresses width x height pixels of 24 bits, stored row k at firstRow + k * stride, as
    // CDibImage::WriteJpeg does. The stream stays in the encoder until the next call; false
    // when the codec fails.
    bool Encode(const uint8_t* firstRow, ptrdiff_t stride, int width, int height);
    const uint8_t* Stream() const { return buffer.data(); }
    size_t StreamSize() const { return streamSize; }

  private:
    struct Destination {
        jpeg_destination_mgr library;  // first, so that the codec's pointer finds the record
        CJpegEncoder* owner;
    };
    static void InitDestination(j_compress_ptr codec);
    static boolean EmptyOutputBuffer(j_compress_ptr codec);
    static void TermDestination(j_compress_ptr codec);
    static CJpegEncoder& OwnerOf(j_compress_ptr codec);

    jpeg_compress_struct codec{};
    JpegErrorManager errors;
    Destination destination{};
    bool created = false;
    std::vector<uint8_t> buffer;
    size_t streamSize = 0;
};
