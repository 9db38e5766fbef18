#include "rivers/river_planner.h"

#include <algorithm>
#include <map>

#include "mapfile/map_file.h"
#include "model/random.h"
#include "model/terrain_type.h"
#include "model/tile_grid.h"
#include "rivers/river_pieces.h"
#include "transitions/terrain_families.h"

namespace {

bool SameKind(int a, int b) {
    return (a == kWideRiver) == (b == kWideRiver);
}

bool IsPlainWater(const CTileGrid& grid, int x, int y) {
    const CTile* tile = grid.GetTileAt(x, y);
    return tile != nullptr && IsWaterType(tile->type);
}

// The topmost piece of kind on a stack, or the stack's end.
std::vector<RiverOverlay>::iterator TopOfKind(std::vector<RiverOverlay>& stack, int kind) {
    for (auto it = stack.end(); it != stack.begin();) {
        --it;
        if (SameKind(it->kind, kind)) {
            return it;
        }
    }
    return stack.end();
}

// A tile's stack as the plan has it so far.
class CStacks {
  public:
    explicit CStacks(const CTileGrid& grid) : grid(grid) {}

    std::vector<RiverOverlay>& At(int x, int y) {
        auto [found, added] = stacks.try_emplace({x, y});
        if (added) {
            found->second = grid.GetOverlays(x, y);
        }
        return found->second;
    }
    RiverPlan Plan(std::optional<std::pair<int, int>> unstorable) const {
        RiverPlan plan;
        for (const auto& [tile, stack] : stacks) {
            if (stack != grid.GetOverlays(tile.first, tile.second)) {
                plan.changes.push_back({tile.first, tile.second, stack});
            }
        }
        plan.unstorable = unstorable;
        return plan;
    }

  private:
    const CTileGrid& grid;
    std::map<std::pair<int, int>, std::vector<RiverOverlay>> stacks;
};

// The exits of the piece of kind on a stack; 0 without one.
uint8_t ExitsOf(std::vector<RiverOverlay>& stack, int kind) {
    auto top = TopOfKind(stack, kind);
    return top == stack.end() ? 0 : RiverPieceInfoAt(top->cell).exits;
}

bool ByOpenWater(const CTileGrid& grid, int x, int y, uint8_t exits) {
    for (int d = 0; d < 4; ++d) {
        if ((exits & RiverExit(d)) == 0 &&
            IsOpenWaterTowards(grid, x + kRiverSteps[d][0], y + kRiverSteps[d][1], (d + 2) % 4)) {
            return true;
        }
    }
    return false;
}

// Puts the piece of kind with these exits on the tile, in place of the kind's piece there or on
// top; the piece there stays where it has these exits and the shape they call for.
void SetPiece(const CTileGrid& grid, CStacks& stacks, int x, int y, int kind, uint8_t exits,
              uint32_t seed) {
    std::vector<RiverOverlay>& stack = stacks.At(x, y);
    auto top = TopOfKind(stack, kind);
    const bool wasLake =
        top != stack.end() && RiverPieceInfoAt(top->cell).shape == RiverPieceShape::kLake;
    const RiverPieceShape shape = ShapeForExits(exits, ByOpenWater(grid, x, y, exits), wasLake);
    if (top != stack.end()) {
        const RiverPieceInfo& now = RiverPieceInfoAt(top->cell);
        if (now.exits == exits && now.shape == shape) {
            return;  // the piece there fits already
        }
    }
    CRandom random(seed ^ (static_cast<uint32_t>(x) * 73856093u) ^
                   (static_cast<uint32_t>(y) * 19349663u));
    const int piece = ChooseRiverPiece(exits, shape, random);
    if (piece < 0) {
        return;
    }
    const RiverOverlay overlay{static_cast<uint8_t>(kind), static_cast<uint8_t>(piece)};
    if (top != stack.end()) {
        *top = overlay;
    } else {
        stack.push_back(overlay);
    }
}

}  // namespace

bool IsOpenWaterTowards(const CTileGrid& grid, int x, int y, int direction) {
    const CTile* tile = grid.GetTileAt(x, y);
    if (tile == nullptr) {
        return false;
    }
    if (IsWaterType(tile->type)) {
        return true;
    }
    int openType;
    int closedType;
    if (!SidesOf(tile->type, openType, closedType) || !IsWaterType(closedType)) {
        return false;
    }
    // The coast tile's edge midpoint on that side is on its closed (water) side.
    return (tile->exits & RiverExit(direction)) == 0;
}

RiverPlan PlanRiver(const CTileGrid& grid, int kind, const TilePath& path, uint32_t seed) {
    // From the first tile of land to the last before open water.
    TilePath river;
    std::optional<std::pair<int, int>> unstorable;
    for (const auto& tile : path) {
        const bool water = IsPlainWater(grid, tile.first, tile.second);
        if (water && !river.empty()) {
            break;
        }
        if (!water && grid.Contains(tile.first, tile.second)) {
            river.push_back(tile);
        }
    }
    CStacks stacks(grid);
    for (size_t i = 0; i < river.size(); ++i) {
        const auto [x, y] = river[i];
        if (!IsRiverStorable(x, y)) {
            unstorable = unstorable.value_or(river[i]);
            continue;
        }
        uint8_t exits = ExitsOf(stacks.At(x, y), kind);
        for (size_t j : {i - 1, i + 1}) {
            if (j < river.size() && IsRiverStorable(river[j].first, river[j].second)) {
                const int d = DirectionTo(x, y, river[j].first, river[j].second);
                exits |= d >= 0 ? RiverExit(d) : 0;
            }
        }
        SetPiece(grid, stacks, x, y, kind, exits, seed);
    }
    return stacks.Plan(unstorable);
}

RiverPlan PlanRiverErase(const CTileGrid& grid, int kind, const TilePath& path, uint32_t seed) {
    CStacks stacks(grid);
    std::vector<std::pair<int, int>> erased;
    for (const auto& [x, y] : path) {
        if (!grid.Contains(x, y)) {
            continue;
        }
        std::vector<RiverOverlay>& stack = stacks.At(x, y);
        const size_t before = stack.size();
        std::erase_if(stack, [&](const RiverOverlay& piece) { return SameKind(piece.kind, kind); });
        if (stack.size() != before) {
            erased.emplace_back(x, y);
        }
    }
    // The pieces around that led into an erased tile lose that exit.
    std::map<std::pair<int, int>, uint8_t> lost;
    for (const auto& [x, y] : erased) {
        for (int d = 0; d < 4; ++d) {
            const std::pair<int, int> next{x + kRiverSteps[d][0], y + kRiverSteps[d][1]};
            if (grid.Contains(next.first, next.second) &&
                std::find(path.begin(), path.end(), next) == path.end()) {
                lost[next] |= RiverExit((d + 2) % 4);
            }
        }
    }
    for (const auto& [tile, exits] : lost) {
        std::vector<RiverOverlay>& stack = stacks.At(tile.first, tile.second);
        const uint8_t now = ExitsOf(stack, kind);
        if (TopOfKind(stack, kind) != stack.end() && (now & exits) != 0) {
            SetPiece(grid, stacks, tile.first, tile.second, kind, now & ~exits, seed);
        }
    }
    return stacks.Plan(std::nullopt);
}
