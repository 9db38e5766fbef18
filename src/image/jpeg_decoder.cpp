#include "image/jpeg_decoder.h"

#include <jerror.h>

#include <algorithm>

#include "foundation/diagnostic_log.h"
#include "image/dib_image.h"

namespace {

// As for ReadJpeg: a stream that claims a picture far larger than its bytes could describe is
// refused before anything is decoded.
constexpr uint64_t kMaxPixelsPerStreamByte = 1024;

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

bool NextBytes(CJpegInput& input, const uint8_t*& bytes, size_t& count) noexcept {
    try {
        count = input.Next(bytes);
        return true;
    } catch (...) {
        return false;
    }
}

bool BytesLeftIn(CJpegInput& input, uint64_t& count) noexcept {
    try {
        count = input.BytesLeft();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

CJpegDecoder::CJpegDecoder() {
    source.library.init_source = InitSource;
    source.library.fill_input_buffer = FillInputBuffer;
    source.library.skip_input_data = SkipInputData;
    source.library.resync_to_restart = jpeg_resync_to_restart;
    source.library.term_source = TermSource;
}

CJpegDecoder::~CJpegDecoder() {
    if (created) {
        jpeg_destroy_decompress(&codec);
    }
}

bool CJpegDecoder::Decode(CJpegInput& input, int width, int height, uint8_t* firstRow,
                          ptrdiff_t stride) {
    source.input = &input;
    source.bytesHandedOut = 0;
    source.library.bytes_in_buffer = 0;
    source.library.next_input_byte = nullptr;
    errors.lostPixels = false;
    if (setjmp(errors.returnPoint) != 0) {
        // The codec is still sound after an error; abort makes it ready for the next stream.
        if (created) {
            jpeg_abort_decompress(&codec);
        } else {
            jpeg_destroy_decompress(&codec);
        }
        return false;
    }
    if (!created) {
        codec.err = AttachErrorManager(errors);
        jpeg_create_decompress(&codec);
        codec.src = &source.library;
        created = true;
    }
    jpeg_read_header(&codec, TRUE);
    if (codec.image_width != static_cast<JDIMENSION>(width) ||
        codec.image_height != static_cast<JDIMENSION>(height) || !IsPlausibleSize()) {
        jpeg_abort_decompress(&codec);
        return false;
    }
    jpeg_start_decompress(&codec);
    if (codec.output_components != 3 || codec.output_width != static_cast<JDIMENSION>(width) ||
        codec.output_height != static_cast<JDIMENSION>(height)) {
        jpeg_abort_decompress(&codec);
        return false;
    }
    constexpr JDIMENSION kRowsPerCall = 16;
    JSAMPROW rows[kRowsPerCall];
    while (codec.output_scanline < codec.output_height) {
        JDIMENSION first = codec.output_scanline;
        JDIMENSION count = std::min(kRowsPerCall, codec.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = firstRow + static_cast<ptrdiff_t>(first + i) * stride;
        }
        jpeg_read_scanlines(&codec, rows, count);
    }
    jpeg_finish_decompress(&codec);
    return !errors.lostPixels;
}

// The file's remaining length is asked for only when what was handed out cannot account for the
// size.
bool CJpegDecoder::IsPlausibleSize() {
    constexpr auto kMaxSide = static_cast<JDIMENSION>(kMaxImageSide);
    if (codec.image_width > kMaxSide || codec.image_height > kMaxSide) {
        return false;
    }
    const uint64_t pixels = uint64_t{codec.image_width} * codec.image_height;
    uint64_t left = 0;
    return pixels <= kMaxPixelsPerStreamByte * source.bytesHandedOut ||
           (BytesLeftIn(*source.input, left) &&
            pixels <= kMaxPixelsPerStreamByte * (source.bytesHandedOut + left));
}

CJpegDecoder::Source& CJpegDecoder::SourceOf(j_decompress_ptr codec) {
    return *reinterpret_cast<Source*>(codec->src);
}

void CJpegDecoder::InitSource(j_decompress_ptr codec) {
    SourceOf(codec).startOfFile = true;
}

boolean CJpegDecoder::FillInputBuffer(j_decompress_ptr codec) {
    Source& source = SourceOf(codec);
    const uint8_t* bytes = nullptr;
    size_t count = 0;
    if (!NextBytes(*source.input, bytes, count)) {
        LogMessage(theDiagnosticLog, kLogError, "Read error while loading jpeg");
        ERREXIT(codec, JERR_FILE_READ);
    }
    if (count == 0) {
        if (source.startOfFile) {
            LogMessage(theDiagnosticLog, kLogError, "Empty input file while loading jpeg");
        }
        // An end-of-image marker lets the codec finish and report what is missing itself.
        bytes = kEndOfImage;
        count = sizeof kEndOfImage;
    }
    source.library.next_input_byte = bytes;
    source.library.bytes_in_buffer = count;
    source.startOfFile = false;
    source.bytesHandedOut += count;
    return TRUE;
}

void CJpegDecoder::SkipInputData(j_decompress_ptr codec, long count) {
    if (count <= 0) {
        return;
    }
    jpeg_source_mgr& library = SourceOf(codec).library;
    while (count > static_cast<long>(library.bytes_in_buffer)) {
        count -= static_cast<long>(library.bytes_in_buffer);
        FillInputBuffer(codec);
    }
    library.next_input_byte += count;
    library.bytes_in_buffer -= static_cast<size_t>(count);
}

void CJpegDecoder::TermSource(j_decompress_ptr) {}
