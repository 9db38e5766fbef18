#pragma once

#include <string>

#include "art_image.h"

// Writes an 8-bit RGB PNG; false when the file cannot be written.
bool WritePng(const std::string& path, const CArtImage& image);
