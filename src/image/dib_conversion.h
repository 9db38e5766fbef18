#pragma once

#include <cstdint>
#include <vector>

#include "image/dib_image.h"

// A 24-bit picture of the same size made from an 8-bit (through its colour table), 24-bit or
// 32-bit one; empty for an empty source.
void ConvertTo24Bit(const CDibImage& source, CDibImage& target);

// The pixels of a 24-bit picture as 0xFFRRGGBB values (Qt's RGB32), top row first; empty for
// other depths.
std::vector<uint32_t> ToRgb32(const CDibImage& picture);
