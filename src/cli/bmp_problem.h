#pragma once

#include <string>

// Why the BMP file at path cannot be used as a picture; empty when it loads.
std::string BmpProblemOf(const std::string& path);
