#pragma once

#include <string>
#include <vector>

#include "art/map_art.h"
#include "image/dib_image.h"

// Reads the shipped game data into theTerrainTable (tests keep a TerrainTableGuard around).
void LoadShippedGameData();

// A 24-bit picture with a pattern that differs per pixel and per channel, saved as BMP.
std::string SavePatternPicture(const std::string& path, int width, int height,
                               int bytesPerPixel = 3);

std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
