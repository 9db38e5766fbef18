#pragma once

#include <cstdint>

// A built-in bitmap in 24-bit DIB layout: rows bottom-up (the first row in memory is the bottom
// row of the picture), bytes blue, green, red, each row padded to a multiple of four bytes.
struct BuiltInBitmap {
    int width;
    int height;
    const uint8_t* pixels;
};

// The terrain sheets (20000 + type) and river pieces (12000 to 12161); null for any other id.
const BuiltInBitmap* FindBuiltInBitmap(int resourceId);
