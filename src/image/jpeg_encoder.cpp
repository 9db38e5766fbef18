#include "image/jpeg_encoder.h"

#include <jerror.h>

#include <new>

namespace {

constexpr size_t kFirstBufferSize = 65536;

// The codec's error exit jumps, which must not happen inside a catch block.
bool Grow(std::vector<uint8_t>& buffer, size_t size) noexcept {
    try {
        buffer.resize(size);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

CJpegEncoder::CJpegEncoder() {
    destination.library.init_destination = InitDestination;
    destination.library.empty_output_buffer = EmptyOutputBuffer;
    destination.library.term_destination = TermDestination;
    destination.owner = this;
}

CJpegEncoder::~CJpegEncoder() {
    if (created) {
        jpeg_destroy_compress(&codec);
    }
}

bool CJpegEncoder::Encode(const uint8_t* firstRow, ptrdiff_t stride, int width, int height) {
    streamSize = 0;
    if (setjmp(errors.returnPoint) != 0) {
        // The codec is still sound after an error; abort makes it ready for the next picture.
        if (created) {
            jpeg_abort_compress(&codec);
        } else {
            jpeg_destroy_compress(&codec);
        }
        return false;
    }
    if (!created) {
        codec.err = AttachErrorManager(errors);
        jpeg_create_compress(&codec);
        codec.dest = &destination.library;
        created = true;
    }
    CompressRows(&codec, firstRow, stride, width, height);
    return true;
}

CJpegEncoder& CJpegEncoder::OwnerOf(j_compress_ptr codec) {
    return *reinterpret_cast<Destination*>(codec->dest)->owner;
}

void CJpegEncoder::InitDestination(j_compress_ptr codec) {
    CJpegEncoder& encoder = OwnerOf(codec);
    if (encoder.buffer.size() < kFirstBufferSize && !Grow(encoder.buffer, kFirstBufferSize)) {
        ERREXIT(codec, JERR_OUT_OF_MEMORY);
    }
    codec->dest->next_output_byte = encoder.buffer.data();
    codec->dest->free_in_buffer = encoder.buffer.size();
}

// The buffer is full: it doubles, and the codec goes on in its new half.
boolean CJpegEncoder::EmptyOutputBuffer(j_compress_ptr codec) {
    CJpegEncoder& encoder = OwnerOf(codec);
    size_t used = encoder.buffer.size();
    if (!Grow(encoder.buffer, 2 * used)) {
        ERREXIT(codec, JERR_OUT_OF_MEMORY);
    }
    codec->dest->next_output_byte = encoder.buffer.data() + used;
    codec->dest->free_in_buffer = encoder.buffer.size() - used;
    return TRUE;
}

void CJpegEncoder::TermDestination(j_compress_ptr codec) {
    CJpegEncoder& encoder = OwnerOf(codec);
    encoder.streamSize = encoder.buffer.size() - codec->dest->free_in_buffer;
}
