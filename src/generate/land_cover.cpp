#include "generate/land_cover.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "generate/value_noise.h"
#include "model/random.h"
#include "model/terrain_type.h"
#include "model/tile_grid.h"

namespace {

struct Candidate {
    float score;
    int index;
};

// The steepest rise to an edge neighbour, in shares of the land's height range.
float Slope(const CHeightField& heights, int x, int y, float range) {
    float steepest = 0;
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        if (heights.Contains(x + dx, y + dy)) {
            steepest = std::max(steepest, std::abs(heights.At(x + dx, y + dy) - heights.At(x, y)));
        }
    }
    return steepest / range;
}

// Whether a tile within reach of (x, y) is of kind (tested on the tile).
template <typename Test>
bool Near(const CTileGrid& grid, int x, int y, int reach, Test test) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (grid.Contains(x + dx, y + dy) && test(x + dx, y + dy)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

void AddLandCover(CTileGrid& grid, const CHeightField& heights, const TerrainLevels& levels,
                  const GenerationOptions& options, CRandom& random) {
    const int width = grid.GetWidth();
    const float range = std::max(1e-6f, heights.Highest() - levels.sea);
    int land = 0;
    for (int i = 0; i < width * grid.GetHeight(); ++i) {
        land += !IsWaterType(grid.Tiles()[i].type);
    }
    auto isWater = [&](int x, int y) { return IsWaterType(grid.GetTileAt(x, y)->type); };
    auto hasRiver = [&](int x, int y) { return grid.GetOverlayCount(x, y) > 0; };
    auto isHills = [&](int x, int y) {
        const int type = grid.GetTileAt(x, y)->type;
        return type == TERRAIN_TYPE_HILLS_1 || type == TERRAIN_TYPE_HILLS_2;
    };
    struct Cover {
        int type;
        double share;
        uint32_t noiseSeed;
    };
    const Cover covers[] = {{TERRAIN_TYPE_SWAMP, options.swampsShare, 11},
                            {TERRAIN_TYPE_FARM, options.farmsShare, 12},
                            {TERRAIN_TYPE_WOODS, options.woodsShare, 13}};
    for (const Cover& cover : covers) {
        std::vector<Candidate> candidates;
        for (int y = 0; y < grid.GetHeight(); ++y) {
            for (int x = 0; x < width; ++x) {
                if (grid.GetTileAt(x, y)->type != TERRAIN_TYPE_GRASS) {
                    continue;
                }
                const float slope = Slope(heights, x, y, range);
                const float low = (heights.At(x, y) - levels.sea) / range;
                const float noise = FractalNoise(static_cast<float>(x), static_cast<float>(y), 12,
                                                 3, options.seed + cover.noiseSeed);
                float score = noise;
                if (cover.type == TERRAIN_TYPE_SWAMP) {
                    score += (Near(grid, x, y, 1, isWater) || hasRiver(x, y) ? 1.0f : 0.0f) -
                             4 * low - 20 * slope;
                } else if (cover.type == TERRAIN_TYPE_FARM) {
                    score += (Near(grid, x, y, 2, hasRiver) ? 1.0f : 0.0f) - 20 * slope;
                } else {
                    score += 20 * slope + (Near(grid, x, y, 1, isHills) ? 0.8f : 0.0f);
                }
                candidates.push_back({score, x + y * width});
            }
        }
        const size_t wanted =
            std::min(candidates.size(), static_cast<size_t>(cover.share * land + 0.5));
        std::partial_sort(candidates.begin(), candidates.begin() + wanted, candidates.end(),
                          [](const Candidate& a, const Candidate& b) {
                              return a.score > b.score || (a.score == b.score && a.index < b.index);
                          });
        for (size_t k = 0; k < wanted; ++k) {
            const int i = candidates[k].index;
            grid.SetTile(cover.type, RandomExactRequest(cover.type, random), i % width, i / width);
        }
    }
}
