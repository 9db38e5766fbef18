#include "generate/terrain_levels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "model/terrain_type.h"

namespace {

constexpr int kBandTypes[6] = {TERRAIN_TYPE_GRASS,      TERRAIN_TYPE_HILLS_1,
                               TERRAIN_TYPE_HILLS_2,    TERRAIN_TYPE_MOUNTAIN_1,
                               TERRAIN_TYPE_MOUNTAIN_2, TERRAIN_TYPE_MOUNTAIN_3};

// The value below which share of the sorted values lie.
float Quantile(const std::vector<float>& sorted, double share) {
    if (sorted.empty()) {
        return 0;
    }
    const double at = std::clamp(share, 0.0, 1.0) * static_cast<double>(sorted.size());
    const size_t index = std::min(sorted.size() - 1, static_cast<size_t>(at));
    return sorted[index];
}

// The corner heights of the map, and for each tile the highest of its four corners: the tile
// holds land when that one is above the sea.
std::vector<float> HighestCorners(const CHeightField& heights) {
    const int width = heights.Width();
    std::vector<float> corners(static_cast<size_t>(width + 1) * (heights.Height() + 1));
    for (int y = 0; y <= heights.Height(); ++y) {
        for (int x = 0; x <= width; ++x) {
            corners[static_cast<size_t>(y) * (width + 1) + x] = CornerHeight(heights, x, y);
        }
    }
    std::vector<float> highest(static_cast<size_t>(width) * heights.Height());
    for (int y = 0; y < heights.Height(); ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t top = static_cast<size_t>(y) * (width + 1) + x;
            const size_t bottom = top + width + 1;
            highest[static_cast<size_t>(y) * width + x] =
                std::max({corners[top], corners[top + 1], corners[bottom], corners[bottom + 1]});
        }
    }
    return highest;
}

}  // namespace

float CornerHeight(const CHeightField& heights, int x, int y) {
    float sum = 0;
    int count = 0;
    for (int ty = y - 1; ty <= y; ++ty) {
        for (int tx = x - 1; tx <= x; ++tx) {
            if (heights.Contains(tx, ty) && heights.HasData(tx, ty)) {
                sum += heights.At(tx, ty);
                ++count;
            }
        }
    }
    return count > 0 ? sum / static_cast<float>(count) : std::numeric_limits<float>::lowest();
}

TerrainLevels TerrainLevels::Of(const CHeightField& heights, const GenerationOptions& options) {
    std::vector<float> all;
    for (int y = 0; y < heights.Height(); ++y) {
        for (int x = 0; x < heights.Width(); ++x) {
            if (heights.HasData(x, y)) {
                all.push_back(heights.At(x, y));
            }
        }
    }
    std::sort(all.begin(), all.end());
    TerrainLevels levels;
    if (options.seaLevel) {
        levels.sea = *options.seaLevel;
    } else if (options.landShare >= 1) {
        levels.sea = all.empty() ? 0 : all.front() - 1;
    } else {
        // The sea rises until no more tiles than asked hold land (tiles without data are sea):
        // its level is one of the tiles' highest corners.
        std::vector<float> highest = HighestCorners(heights);
        std::sort(highest.begin(), highest.end());
        const size_t land = static_cast<size_t>(std::lround(options.landShare * highest.size()));
        const size_t seaTiles = highest.size() - std::min(land, highest.size());
        levels.sea = seaTiles == 0 ? (all.empty() ? 0 : all.front() - 1) : highest[seaTiles - 1];
    }
    const std::vector<float> land(std::upper_bound(all.begin(), all.end(), levels.sea), all.end());
    for (size_t band = 0; band < levels.tops.size(); ++band) {
        levels.tops[band] = Quantile(land, options.bandTops[band]);
    }
    return levels;
}

int TerrainLevels::LandType(float height) const {
    size_t band = 0;
    while (band < tops.size() && height > tops[band]) {
        ++band;
    }
    return kBandTypes[band];
}

double TerrainLevels::LandShareOf(const CHeightField& heights) const {
    const std::vector<float> highest = HighestCorners(heights);
    const size_t land = static_cast<size_t>(
        std::count_if(highest.begin(), highest.end(), [&](float h) { return IsLand(h); }));
    return highest.empty() ? 0 : static_cast<double>(land) / static_cast<double>(highest.size());
}
