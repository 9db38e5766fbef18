#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

class CDibImage;
class CFile;

// Size of the blocks the file managers read and write. 16 KB rather than the historical 4 KB:
// a cell's stream then goes in one system call, and libjpeg-turbo keeps to its fast decoding
// path. The bytes in the file are the same either way.
inline constexpr size_t kJpegBufferSize = 16384;

// libjpeg's error manager with a way back to the caller: on an error the library's message goes
// to the diagnostic log and control returns to the setjmp on returnPoint, so that a damaged
// stream fails the operation instead of ending the process. Warnings are logged only, and those
// that mean the decoded pixels are not all the stream's own (the entropy data is damaged or cut
// short, and the codec made up what was missing) are noted in lostPixels.
struct JpegErrorManager {
    jpeg_error_mgr library;  // first, so that the codec's error pointer finds the whole record
    std::jmp_buf returnPoint;
    bool lostPixels = false;
};

// Compresses a 24-bit image with the editor's settings (quality 95) into the codec's attached
// destination, handing the rows over in stored order.
void CompressImage(j_compress_ptr encoder, const CDibImage& image);
// The same for width x height pixels of 24 bits whose stored row k starts at firstRow + k *
// stride: a block of a larger picture compresses without being copied out first.
void CompressRows(j_compress_ptr encoder, const uint8_t* firstRow, ptrdiff_t stride, int width,
                  int height);
// After the header was read: decompresses into the image, re-created with the stream's size and
// 1 or 3 bytes per pixel, rows in stored order. False when the image cannot be created.
bool DecompressImage(j_decompress_ptr decoder, CDibImage& image);

// Sets up the manager; the result goes into the codec record's err before it is created.
jpeg_error_mgr* AttachErrorManager(JpegErrorManager& manager);

// Makes the codec write its stream to the file at the file's position, in blocks of
// kJpegBufferSize. A failed write is logged and becomes a codec error.
void AttachFileDestination(j_compress_ptr codec, CFile& file);
// Makes the codec read its stream from the file's position in blocks of kJpegBufferSize; what it
// reads beyond the end of the stream is not given back. At the end of the file the codec gets an
// end-of-image marker. A failed read is logged and becomes a codec error.
void AttachFileSource(j_decompress_ptr codec, CFile& file);
