#include "image/jpeg_io.h"

#include <jerror.h>

#include <algorithm>

#include "foundation/diagnostic_log.h"
#include "image/dib_image.h"
#include "platform/file.h"

namespace {

constexpr int kJpegQuality = 95;
// A stream that claims a picture far larger than its bytes could describe is refused before
// anything is allocated for it; even a flat picture takes a byte per few hundred pixels.
constexpr uint64_t kMaxPixelsPerStreamByte = 1024;

void LogLibraryMessage(j_common_ptr codec, int level) {
    char text[JMSG_LENGTH_MAX];
    (*codec->err->format_message)(codec, text);
    LogMessage(theDiagnosticLog, level, "%s", text);
}

void OutputError(j_common_ptr codec) {
    LogLibraryMessage(codec, kLogError);
}

bool MeansLostPixels(int code) {
    switch (code) {
        case JWRN_ARITH_BAD_CODE:
        case JWRN_BOGUS_PROGRESSION:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_JPEG_EOF:
        case JWRN_MUST_RESYNC:
            return true;
        default:
            return false;
    }
}

// Like the library's own: the first warning of an image is reported, trace messages are not.
void EmitMessage(j_common_ptr codec, int messageLevel) {
    if (messageLevel >= 0) {
        return;
    }
    if (MeansLostPixels(codec->err->msg_code)) {
        reinterpret_cast<JpegErrorManager*>(codec->err)->lostPixels = true;
    }
    if (codec->err->num_warnings++ == 0) {
        LogLibraryMessage(codec, kLogInfo);
    }
}

[[noreturn]] void ReturnToCaller(j_common_ptr codec) {
    (*codec->err->output_message)(codec);
    std::longjmp(reinterpret_cast<JpegErrorManager*>(codec->err)->returnPoint, 1);
}

struct FileDestination {
    jpeg_destination_mgr library;
    CFile* file;
    JOCTET* buffer;
};

struct FileSource {
    jpeg_source_mgr library;
    CFile* file;
    JOCTET* buffer;
    bool startOfFile;
    uint64_t bytesRead;  // from the file since the source was attached
};

// The file object reports failures by throwing, which must not unwind through the codec.
bool WriteBlock(CFile& file, const JOCTET* data, size_t count) noexcept {
    try {
        file.Write(data, count);
        return true;
    } catch (...) {
        return false;
    }
}

bool ReadBlock(CFile& file, JOCTET* buffer, size_t& count) noexcept {
    try {
        count = file.Read(buffer, kJpegBufferSize);
        return true;
    } catch (...) {
        return false;
    }
}

FileDestination* DestinationOf(j_compress_ptr codec) {
    return reinterpret_cast<FileDestination*>(codec->dest);
}

FileSource* SourceOf(j_decompress_ptr codec) {
    return reinterpret_cast<FileSource*>(codec->src);
}

void InitDestination(j_compress_ptr codec) {
    FileDestination* destination = DestinationOf(codec);
    destination->buffer = static_cast<JOCTET*>((*codec->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(codec), JPOOL_IMAGE, kJpegBufferSize));
    destination->library.next_output_byte = destination->buffer;
    destination->library.free_in_buffer = kJpegBufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr codec) {
    FileDestination* destination = DestinationOf(codec);
    if (!WriteBlock(*destination->file, destination->buffer, kJpegBufferSize)) {
        LogMessage(theDiagnosticLog, kLogError, "Error writing to file in JPG empty_output_buffer");
        ERREXIT(codec, JERR_FILE_WRITE);
    }
    destination->library.next_output_byte = destination->buffer;
    destination->library.free_in_buffer = kJpegBufferSize;
    return TRUE;
}

void TermDestination(j_compress_ptr codec) {
    FileDestination* destination = DestinationOf(codec);
    size_t count = kJpegBufferSize - destination->library.free_in_buffer;
    if (count > 0 && !WriteBlock(*destination->file, destination->buffer, count)) {
        LogMessage(theDiagnosticLog, kLogError, "Error writing to file in JPG term_destination");
        ERREXIT(codec, JERR_FILE_WRITE);
    }
}

void InitSource(j_decompress_ptr codec) {
    SourceOf(codec)->startOfFile = true;
}

boolean FillInputBuffer(j_decompress_ptr codec) {
    FileSource* source = SourceOf(codec);
    size_t count = 0;
    if (!ReadBlock(*source->file, source->buffer, count)) {
        LogMessage(theDiagnosticLog, kLogError, "Read error while loading jpeg");
        ERREXIT(codec, JERR_FILE_READ);
    }
    if (count == 0) {
        if (source->startOfFile) {
            LogMessage(theDiagnosticLog, kLogError, "Empty input file while loading jpeg");
        }
        // An end-of-image marker lets the codec finish and report what is missing itself.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->library.next_input_byte = source->buffer;
    source->library.bytes_in_buffer = count;
    source->startOfFile = false;
    source->bytesRead += count;
    return TRUE;
}

void SkipInputData(j_decompress_ptr codec, long count) {
    if (count <= 0) {
        return;
    }
    jpeg_source_mgr& library = SourceOf(codec)->library;
    while (count > static_cast<long>(library.bytes_in_buffer)) {
        count -= static_cast<long>(library.bytes_in_buffer);
        FillInputBuffer(codec);
    }
    library.next_input_byte += count;
    library.bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

bool BytesLeftIn(const CFile& file, uint64_t& count) noexcept {
    try {
        count = file.BytesLeft();
        return true;
    } catch (...) {
        return false;
    }
}

// The file's length is asked for only when what was read so far cannot account for the size.
bool IsPlausibleSize(j_decompress_ptr decoder) {
    constexpr auto kMaxSide = static_cast<JDIMENSION>(kMaxImageSide);
    if (decoder->image_width > kMaxSide || decoder->image_height > kMaxSide) {
        return false;
    }
    const uint64_t pixels = uint64_t{decoder->image_width} * decoder->image_height;
    const FileSource* source = SourceOf(decoder);
    uint64_t left = 0;
    return pixels <= kMaxPixelsPerStreamByte * source->bytesRead ||
           (BytesLeftIn(*source->file, left) &&
            pixels <= kMaxPixelsPerStreamByte * (source->bytesRead + left));
}

// True when no size is required (0) or the stream declares the required one.
bool HasRequiredSize(j_decompress_ptr decoder, int width, int height) {
    return (width == 0 || decoder->image_width == static_cast<JDIMENSION>(width)) &&
           (height == 0 || decoder->image_height == static_cast<JDIMENSION>(height));
}

}  // namespace

void CompressImage(j_compress_ptr encoder, const CDibImage& image) {
    CompressRows(encoder, image.RowPtr(0), image.GetStride(), image.GetWidth(), image.GetHeight());
}

void CompressRows(j_compress_ptr encoder, const uint8_t* firstRow, ptrdiff_t stride, int width,
                  int height) {
    encoder->image_width = static_cast<JDIMENSION>(width);
    encoder->image_height = static_cast<JDIMENSION>(height);
    encoder->input_components = 3;
    encoder->in_color_space = JCS_RGB;
    jpeg_set_defaults(encoder);
    jpeg_set_quality(encoder, kJpegQuality, FALSE);
    jpeg_start_compress(encoder, TRUE);
    // Several rows per call: the codec takes what it can, and the stream is the same.
    constexpr JDIMENSION kRowsPerCall = 16;
    JSAMPROW rows[kRowsPerCall];
    while (encoder->next_scanline < encoder->image_height) {
        JDIMENSION first = encoder->next_scanline;
        JDIMENSION count = std::min(kRowsPerCall, encoder->image_height - first);
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = const_cast<JSAMPROW>(firstRow + static_cast<ptrdiff_t>(first + i) * stride);
        }
        jpeg_write_scanlines(encoder, rows, count);
    }
    jpeg_finish_compress(encoder);
}

bool DecompressImage(j_decompress_ptr decoder, CDibImage& image) {
    jpeg_start_decompress(decoder);
    image.Create(static_cast<int>(decoder->output_width), static_cast<int>(decoder->output_height),
                 decoder->output_components);
    if (image.IsEmpty()) {
        return false;
    }
    while (decoder->output_scanline < decoder->output_height) {
        JSAMPROW row = image.RowPtr(static_cast<int>(decoder->output_scanline));
        jpeg_read_scanlines(decoder, &row, 1);
    }
    jpeg_finish_decompress(decoder);
    return true;
}

jpeg_error_mgr* AttachErrorManager(JpegErrorManager& manager) {
    jpeg_std_error(&manager.library);
    manager.library.error_exit = ReturnToCaller;
    manager.library.output_message = OutputError;
    manager.library.emit_message = EmitMessage;
    return &manager.library;
}

void AttachFileDestination(j_compress_ptr codec, CFile& file) {
    if (codec->dest == nullptr) {
        codec->dest = static_cast<jpeg_destination_mgr*>((*codec->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(codec), JPOOL_PERMANENT, sizeof(FileDestination)));
    }
    FileDestination* destination = DestinationOf(codec);
    destination->library.init_destination = InitDestination;
    destination->library.empty_output_buffer = EmptyOutputBuffer;
    destination->library.term_destination = TermDestination;
    destination->file = &file;
}

void AttachFileSource(j_decompress_ptr codec, CFile& file) {
    if (codec->src == nullptr) {
        FileSource* source = static_cast<FileSource*>((*codec->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(codec), JPOOL_PERMANENT, sizeof(FileSource)));
        source->buffer = static_cast<JOCTET*>((*codec->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(codec), JPOOL_PERMANENT, kJpegBufferSize));
        codec->src = &source->library;
    }
    FileSource* source = SourceOf(codec);
    source->library.init_source = InitSource;
    source->library.fill_input_buffer = FillInputBuffer;
    source->library.skip_input_data = SkipInputData;
    source->library.resync_to_restart = jpeg_resync_to_restart;
    source->library.term_source = TermSource;
    source->library.bytes_in_buffer = 0;
    source->library.next_input_byte = nullptr;
    source->file = &file;
    source->bytesRead = 0;
}

// The buffer is handed over as it is held: the stream holds the picture bottom row first and
// with blue in the red channel. Map files have always stored art this way, so ReadJpeg undoes
// it by the same direct copy.
bool CDibImage::WriteJpeg(CFile& file) const {
    if (bytesPerPixel != 3) {
        return false;
    }
    jpeg_compress_struct encoder{};
    JpegErrorManager errors;
    encoder.err = AttachErrorManager(errors);
    if (setjmp(errors.returnPoint) != 0) {
        jpeg_destroy_compress(&encoder);
        return false;
    }
    jpeg_create_compress(&encoder);
    AttachFileDestination(&encoder, file);
    CompressImage(&encoder, *this);
    jpeg_destroy_compress(&encoder);
    return true;
}

bool CDibImage::ReadJpeg(CFile& file, int width, int height) {
    Release();
    jpeg_decompress_struct decoder{};
    JpegErrorManager errors;
    decoder.err = AttachErrorManager(errors);
    if (setjmp(errors.returnPoint) != 0) {
        jpeg_destroy_decompress(&decoder);
        Release();
        return false;
    }
    jpeg_create_decompress(&decoder);
    AttachFileSource(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    bool decoded = HasRequiredSize(&decoder, width, height) && IsPlausibleSize(&decoder) &&
                   DecompressImage(&decoder, *this);
    jpeg_destroy_decompress(&decoder);
    if (!decoded) {
        Release();
    }
    return decoded;
}
