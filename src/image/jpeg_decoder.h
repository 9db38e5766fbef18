#pragma once

#include <cstddef>
#include <cstdint>

#include "image/jpeg_io.h"

// Hands a decoder its stream piece by piece.
class CJpegInput {
  public:
    // The next bytes of the stream, which stay valid until the next call; 0 at the end of the
    // file. May throw CFileException.
    virtual size_t Next(const uint8_t*& bytes) = 0;
    // Bytes that follow those handed out so far. May throw CFileException.
    virtual uint64_t BytesLeft() = 0;

  protected:
    ~CJpegInput() = default;
};

// Decodes stream after stream with one codec, straight into the caller's rows: setting a codec
// up costs about as much as decoding a 50 x 50 picture.
class CJpegDecoder {
  public:
    CJpegDecoder();
    ~CJpegDecoder();
    CJpegDecoder(const CJpegDecoder&) = delete;
    CJpegDecoder& operator=(const CJpegDecoder&) = delete;

    // Decodes a stream that must declare width x height and decode to 3 channels, as
    // CDibImage::ReadJpeg does: stored row k goes to firstRow + k * stride. Like ReadJpeg the
    // decoder reads on past the end of the stream, and at the end of the file it gets an
    // end-of-image marker. False for a stream of another size or depth, a damaged stream (also
    // one the codec could only finish by making up pixels) or a failing input; the rows may then
    // be partly written.
    bool Decode(CJpegInput& input, int width, int height, uint8_t* firstRow, ptrdiff_t stride);

  private:
    struct Source {
        jpeg_source_mgr library;  // first, so that the codec's pointer finds the record
        CJpegInput* input;
        bool startOfFile;
        uint64_t bytesHandedOut;
    };
    static void InitSource(j_decompress_ptr codec);
    static boolean FillInputBuffer(j_decompress_ptr codec);
    static void SkipInputData(j_decompress_ptr codec, long count);
    static void TermSource(j_decompress_ptr codec);
    static Source& SourceOf(j_decompress_ptr codec);
    bool IsPlausibleSize();

    jpeg_decompress_struct codec{};
    JpegErrorManager errors;
    Source source{};
    bool created = false;
};
