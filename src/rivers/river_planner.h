#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "model/river_overlay.h"
#include "rivers/river_path.h"

class CTileGrid;

// A tile's new river stack.
struct RiverStackChange {
    int x = 0;
    int y = 0;
    std::vector<RiverOverlay> stack;
};

// What drawing or erasing a river along a path comes to: the tiles whose stacks change, and
// the first tile of the path that map files cannot hold a river on, which gets none.
struct RiverPlan {
    std::vector<RiverStackChange> changes;
    std::optional<std::pair<int, int>> unstorable;
};

// Draws a river of kind (0 wide, else narrow) along path: each tile gets a piece whose exits
// join its neighbours on the path, a source where the river ends on land, a mouth where it ends
// by open water; a tile that has a river of the kind already keeps its exits and adds the
// path's, so that the rivers join. The path stops at the first tile of open water (ocean,
// shallows), and starts at its first tile of land. The variants are chosen at random from seed
// and each tile's place, so that a plan made again for a longer path keeps the pieces of the
// tiles whose exits stay.
RiverPlan PlanRiver(const CTileGrid& grid, int kind, const TilePath& path, uint32_t seed);

// Erases the river of kind along path, and mends the pieces around that lose an exit into the
// tiles erased: each becomes the piece with the exits it has left.
RiverPlan PlanRiverErase(const CTileGrid& grid, int kind, const TilePath& path, uint32_t seed);

// Whether tile (x, y) shows open water on its side towards direction (0 top, 1 right, 2 bottom,
// 3 left) seen from its neighbour: a plain ocean or shallows tile, or a coast tile whose edge
// there is water. Outside the map: no.
bool IsOpenWaterTowards(const CTileGrid& grid, int x, int y, int direction);
