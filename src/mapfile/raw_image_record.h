#pragma once

#include <cstddef>
#include <cstdint>

class CDibImage;
class CFile;

// The raw image record of map files: width, height, buffer size and bit count (32-bit each),
// then the image's buffer as it is held.

inline constexpr size_t kRawImageHeaderBytes = 16;

// Write failures throw CFileException.
bool WriteRawImage(CFile& file, const CDibImage& image);
// False, with the image empty, for a short or inconsistent record or one larger than what is left
// of the file. Read failures throw CFileException.
bool ReadRawImage(CFile& file, CDibImage& image);

// The record's header, for writers that put the buffer after it themselves.
void StoreRawImageHeader(const CDibImage& image, uint8_t* header);
// Makes the image a record's header describes, its pixels still to be read (GetBufferSize bytes
// into bits); false, with the image empty, for a header that is inconsistent or needs more than
// bytesLeft. A record of no pixels (a side of 0 and no data, its bit count possibly 0 too) makes
// an image without pixels that keeps the record's sizes and bit count.
bool CreateImageFromRawHeader(CDibImage& image, const uint8_t* header, uint64_t bytesLeft);
