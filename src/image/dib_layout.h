#pragma once

#include <cstdint>

// The BMP header sizes and the row layout of image buffers, shared by the image operations, the
// BMP reader and writer and the map file's raw image records.

inline constexpr uint32_t kFileHeaderSize = 14;
inline constexpr uint32_t kInfoHeaderSize = 40;
inline constexpr uint32_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
inline constexpr uint32_t kCompressionNone = 0;

// Bytes of a stored row: padded to a multiple of 4.
inline uint64_t StrideOf(int64_t width, int bytesPerPixel) {
    return static_cast<uint64_t>(width * bytesPerPixel + 3) & ~uint64_t{3};
}
