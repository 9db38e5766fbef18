#pragma once

#include <string>

// Why the BMP file at path, which failed to load, cannot be used as a picture.
std::string BmpProblemOf(const std::string& path);
