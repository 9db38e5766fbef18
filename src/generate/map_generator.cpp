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

// Corners of mountain feet that the foot sheet has no cell for (low ground reaching into a range
// by one corner, or meeting it across a diagonal) are mended before the solver runs: one corner
// of the tile turns to the other side of the divide, where that leaves every tile around it a
// cell. Left to the solver, the corner would give way instead, and the missing cell would move
// on from tile to tile, drawing a line of feet through the hills or a valley through the range;
// so would a change that leaves another tile without a cell, and such tiles are left alone.
class CCornerMender {
  public:
    CCornerMender(CCornerField& field, const CTileGrid& grid, const TransitionOptions& options)
        : field(field),
          grid(grid),
          options(options),
          rect(field.Rect()),
          changed(static_cast<size_t>(rect.Width() + 1) * (rect.Height() + 1)) {}

    void Run() {
        // Each corner changes at most once, so the passes end.
        for (bool mended = true; mended;) {
            mended = false;
            for (int y = rect.top; y < rect.bottom; ++y) {
                for (int x = rect.left; x < rect.right; ++x) {
                    mended = MendTile(x, y) || mended;
                }
            }
        }
    }

  private:
    bool Unfit(int x, int y) const {
        const TileTransition t =
            TransitionOf(field.CornersOf(x, y), grid.GetTileAt(x, y)->type, options);
        return !t.plain && !index.Fits(*t.sheets, t.pattern);
    }

    // The corners are numbered as the tiles': (x, y) is the top-left corner of tile (x, y).
    int UnfitAround(int cx, int cy) const {
        int count = 0;
        for (int y = cy - 1; y <= cy; ++y) {
            for (int x = cx - 1; x <= cx; ++x) {
                count += x >= rect.left && y >= rect.top && x < rect.right && y < rect.bottom &&
                         Unfit(x, y);
            }
        }
        return count;
    }

    bool MendTile(int x, int y) {
        const TileCorners corners = field.CornersOf(x, y);
        const TileTransition t = TransitionOf(corners, grid.GetTileAt(x, y)->type, options);
        if (t.plain || t.family != TransitionFamily::MountainFoot ||
            index.Fits(*t.sheets, t.pattern)) {
            return false;
        }
        // A corner changes to the type of the other side of the tile's divide.
        int open = -1;
        int closed = -1;
        for (uint8_t corner : corners) {
            (IsOpenSide(t.family, corner) ? open : closed) = corner;
        }
        auto flipped = [&](uint8_t corner) {
            return static_cast<uint8_t>(IsOpenSide(t.family, corner) ? closed : open);
        };
        int best = -1;
        int bestUnfit = 0;
        for (int i = 0; i < 4; ++i) {
            const int cx = x + (i == 1 || i == 2);
            const int cy = y + (i >= 2);
            if (changed[ChangedIndex(cx, cy)]) {
                continue;
            }
            field.Set(cx, cy, flipped(corners[i]));
            const int unfit = Unfit(x, y) ? -1 : UnfitAround(cx, cy);
            field.Set(cx, cy, corners[i]);
            if (unfit >= 0 && (best < 0 || unfit < bestUnfit)) {
                best = i;
                bestUnfit = unfit;
            }
        }
        // A change that leaves another tile without a cell would only move the fault on.
        if (best < 0 || bestUnfit > 0) {
            return false;
        }
        const int cx = x + (best == 1 || best == 2);
        const int cy = y + (best >= 2);
        changed[ChangedIndex(cx, cy)] = true;
        field.Set(cx, cy, flipped(corners[best]));
        return true;
    }

    size_t ChangedIndex(int cx, int cy) const {
        return static_cast<size_t>(cy - rect.top) * (rect.Width() + 1) + cx - rect.left;
    }

    CCornerField& field;
    const CTileGrid& grid;
    const TransitionOptions& options;
    const CTransitionIndex index;
    const TileRect rect;
    std::vector<bool> changed;
};

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
    CCornerMender(corners, map.grid, options.transitions).Run();
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
