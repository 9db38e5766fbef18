#include "generate/map_generator.h"

#include <algorithm>
#include <vector>

#include "art/overview_picture.h"
#include "generate/land_cover.h"
#include "generate/river_network.h"
#include "generate/terrain_levels.h"
#include "generate/value_noise.h"
#include "model/random.h"
#include "model/terrain_type.h"
#include "transitions/corner_field.h"
#include "transitions/transition_index.h"
#include "transitions/transition_solver.h"

namespace {

// The plain type of each tile from its height: sea, shallows within reach of the land, the
// land's bands, and desert where the options spread it over the grass band.
std::vector<int> TileTypes(const CHeightField& heights, const TerrainLevels& levels,
                           const GenerationOptions& options) {
    const int width = heights.Width();
    const int height = heights.Height();
    std::vector<int> types(static_cast<size_t>(width) * height);
    auto isLand = [&](int x, int y) {
        return heights.HasData(x, y) && levels.IsLand(heights.At(x, y));
    };
    std::vector<std::pair<float, int>> grass;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int& type = types[static_cast<size_t>(y) * width + x];
            if (isLand(x, y)) {
                type = levels.LandType(heights.At(x, y));
                if (type == TERRAIN_TYPE_GRASS) {
                    const float dry = options.desert == DesertSpread::South
                                          ? static_cast<float>(y) / height +
                                                0.25f * FractalNoise(x, y, 16, 3, options.seed + 7)
                                          : FractalNoise(x, y, 24, 4, options.seed + 7);
                    grass.push_back({dry, y * width + x});
                }
                continue;
            }
            type = TERRAIN_TYPE_OCEAN;
            const int reach = options.shallowsWidth;
            for (int dy = -reach; dy <= reach && type == TERRAIN_TYPE_OCEAN; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    if (heights.Contains(x + dx, y + dy) && isLand(x + dx, y + dy)) {
                        type = TERRAIN_TYPE_SHALLOW;
                        break;
                    }
                }
            }
        }
    }
    if (options.desert != DesertSpread::None) {
        const size_t dry =
            std::min(grass.size(), static_cast<size_t>(options.desertShare * grass.size()));
        std::partial_sort(grass.begin(), grass.begin() + dry, grass.end(), std::greater<>());
        for (size_t k = 0; k < dry; ++k) {
            types[grass[k].second] = TERRAIN_TYPE_DESERT;
        }
    }
    return types;
}

// The corners between the tiles: land or sea by the mean height of the tiles around, and the
// type most of those tiles on that side have.
CCornerField Corners(const CHeightField& heights, const TerrainLevels& levels,
                     const std::vector<int>& types) {
    const int width = heights.Width();
    const int height = heights.Height();
    CCornerField field = CCornerField::Filled({0, 0, width, height}, TERRAIN_TYPE_OCEAN);
    for (int y = 0; y <= height; ++y) {
        for (int x = 0; x <= width; ++x) {
            int around[4];
            int tiles = 0;
            for (auto [dx, dy] : {std::pair{-1, -1}, {0, -1}, {0, 0}, {-1, 0}}) {
                if (heights.Contains(x + dx, y + dy)) {
                    around[tiles++] = types[static_cast<size_t>(y + dy) * width + x + dx];
                }
            }
            const bool land = levels.IsLand(CornerHeight(heights, x, y));
            int best = land ? TERRAIN_TYPE_GRASS : TERRAIN_TYPE_OCEAN;
            int bestVotes = 0;
            for (int i = 0; i < tiles; ++i) {
                if (IsWaterType(around[i]) == land) {
                    continue;
                }
                const int votes = static_cast<int>(std::count(around, around + tiles, around[i]));
                if (votes > bestVotes) {
                    best = around[i];
                    bestVotes = votes;
                }
            }
            field.Set(x, y, static_cast<uint8_t>(best));
        }
    }
    return field;
}

// Low ground reaching into the mountains by a single corner where the foot sheet has no cell
// for it: the mountain closes over that corner. Left to the solver, the mountain would give way
// instead, and the same missing notch would move on to the next tile, cutting a valley of feet
// through the range.
void CloseMountainNotches(CCornerField& field, const CTileGrid& grid,
                          const TransitionOptions& options) {
    const CTransitionIndex index;
    const TileRect& rect = field.Rect();
    // Each pass only closes corners, so the passes end.
    bool closed = true;
    while (closed) {
        closed = false;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const TileCorners corners = field.CornersOf(x, y);
                const TileTransition t = TransitionOf(corners, grid.GetTileAt(x, y)->type, options);
                if (t.plain || t.family != TransitionFamily::MountainFoot ||
                    index.Fits(*t.sheets, t.pattern)) {
                    continue;
                }
                int low = -1;
                int lows = 0;
                int mountain = -1;
                for (int i = 0; i < 4; ++i) {
                    if (IsMountainType(corners[i])) {
                        mountain = corners[i];
                    } else {
                        low = i;
                        ++lows;
                    }
                }
                if (lows == 1) {
                    field.Set(x + (low == 1 || low == 2), y + (low >= 2),
                              static_cast<uint8_t>(mountain));
                    closed = true;
                }
            }
        }
    }
}

}  // namespace

bool GenerateMap(const CHeightField& heights, const GenerationOptions& options, CMapDocument& map) {
    const int width = heights.Width();
    const int height = heights.Height();
    map.Clear();
    if (!map.grid.Allocate(width, height)) {
        return false;
    }
    CRandom random(options.seed);
    const TerrainLevels levels = TerrainLevels::Of(heights, options);
    const std::vector<int> types = TileTypes(heights, levels, options);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int type = types[static_cast<size_t>(y) * width + x];
            map.grid.SetTile(type, RandomExactRequest(type, random), x, y);
        }
    }
    // Coasts, desert shores and mountain feet from the corners, as the terrain brush makes them.
    CCornerField corners = Corners(heights, levels, types);
    CloseMountainNotches(corners, map.grid, options.transitions);
    const std::vector<bool> fixed(static_cast<size_t>(width + 1) * (height + 1));
    const TransitionPlan plan = CTransitionSolver(map.grid, options.transitions)
                                    .Solve(corners, {0, 0, width, height}, fixed, random);
    for (const TilePick& pick : plan.picks) {
        map.grid.SetTile(pick.type, pick.request, pick.x, pick.y);
    }
    std::vector<bool> water(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < water.size(); ++i) {
        water[i] = IsWaterType(map.grid.Tiles()[i].type);
    }
    const CDrainage drainage(heights, water);
    AddRivers(map.grid, drainage, options.rivers, random);
    AddLandCover(map.grid, heights, levels, options, random);
    map.RebuildOverview();
    return true;
}
