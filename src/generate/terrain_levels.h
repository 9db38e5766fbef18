#pragma once

#include <array>

#include "generate/generation_options.h"
#include "generate/height_field.h"

// The heights where the sea ends and where each band of the land does, from the heights of a map
// and the shares its options ask for.
// The height at corner (x, y) between the tiles: the mean of the tiles around it that have data;
// lowest of all without any.
float CornerHeight(const CHeightField& heights, int x, int y);

struct TerrainLevels {
    static TerrainLevels Of(const CHeightField& heights, const GenerationOptions& options);

    bool IsLand(float height) const { return height > sea; }
    // The plain type of land at a height: grass, Low and High Hills, Low, Med and High Mountain.
    int LandType(float height) const;
    // The share of the map's tiles that hold land: a corner on land makes a tile at least a
    // coast cell.
    double LandShareOf(const CHeightField& heights) const;

    float sea = 0;
    std::array<float, 5> tops{};
};
