#pragma once

#include <string>

#include "art/tile_renderer.h"

// Writes the 0xFFRRGGBB pixels of picture as an 8-bit RGB PNG file. False, with reason set,
// when the file cannot be written; a partly written file may then be left behind.
bool WritePng(const std::string& path, const RgbTarget& picture, std::string& reason);
