#pragma once

#include <string>

// Why the BMP file at path, which failed to load, cannot be used as a picture.
std::string BmpProblemOf(const std::string& path);
// Why CCustomTerrainArt::Import of the picture at path failed with result.
std::string ArtImportProblem(int result, const std::string& path);
