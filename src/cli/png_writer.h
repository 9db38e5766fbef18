#pragma once

#include <string>

#include "art/tile_renderer.h"

// Writes the 0xFFRRGGBB pixels of picture as an 8-bit RGB PNG file at the position of the
// descriptor, which stays open. False, with reason set, when the file cannot be written.
bool WritePng(int descriptor, const RgbTarget& picture, std::string& reason);
