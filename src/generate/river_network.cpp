#include "generate/river_network.h"

#include <array>
#include <cmath>
#include <limits>
#include <queue>
#include <utility>

#include "mapfile/map_file.h"
#include "model/random.h"
#include "model/tile_grid.h"
#include "rivers/river_pieces.h"
#include "rivers/river_planner.h"

namespace {

constexpr float kHighest = std::numeric_limits<float>::max();

int NarrowFlow(RiverAmount amount) {
    switch (amount) {
        case RiverAmount::Few:
            return 400;
        case RiverAmount::Some:
            return 150;
        case RiverAmount::Many:
            return 60;
        default:
            return 0;
    }
}

}  // namespace

CDrainage::CDrainage(const CHeightField& heights, const std::vector<bool>& water) {
    const int width = heights.Width();
    const int height = heights.Height();
    const size_t tiles = static_cast<size_t>(width) * height;
    downstream.assign(tiles, kIntoTheSea);
    flow.assign(tiles, 0);
    filled.assign(tiles, 0);
    // Priority flood from the sea and the map's edge inwards: each tile is reached from the
    // lowest place around it and drains there.
    using Entry = std::pair<float, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    std::vector<bool> reached(tiles);
    auto heightAt = [&](int i) { return heights.At(i % width, i / width); };
    for (int i = 0; i < static_cast<int>(tiles); ++i) {
        const int x = i % width;
        const int y = i / width;
        const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
        if (water[i] || edge) {
            reached[i] = true;
            filled[i] = heightAt(i);
            downstream[i] = water[i] ? kIntoTheSea : kOffTheMap;
            open.push({filled[i], i});
        }
    }
    std::vector<int> order;
    order.reserve(tiles);
    while (!open.empty()) {
        const int i = open.top().second;
        open.pop();
        order.push_back(i);
        const int x = i % width;
        const int y = i / width;
        for (int d = 0; d < 4; ++d) {
            const int nx = x + kRiverSteps[d][0];
            const int ny = y + kRiverSteps[d][1];
            if (!heights.Contains(nx, ny)) {
                continue;
            }
            const int n = nx + ny * width;
            if (reached[n]) {
                continue;
            }
            reached[n] = true;
            // A filled flat still rises by the least step a height can take, so that it drains
            // one way.
            filled[n] = std::max(heightAt(n), std::nextafter(filled[i], kHighest));
            downstream[n] = i;
            open.push({filled[n], n});
        }
    }
    // Every land tile gives its flow to the tile it drains to, the farthest upstream first.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (!water[*it]) {
            flow[*it] += 1;
            if (downstream[*it] >= 0 && !water[downstream[*it]]) {
                flow[downstream[*it]] += flow[*it];
            }
        }
    }
}

void AddRivers(CTileGrid& grid, const CDrainage& drainage, RiverAmount amount, CRandom& random) {
    const int narrow = NarrowFlow(amount);
    if (narrow == 0) {
        return;
    }
    const int width = grid.GetWidth();
    const size_t tiles = static_cast<size_t>(width) * grid.GetHeight();
    // The exits of each tile's wide and narrow piece.
    std::vector<std::array<uint8_t, 2>> exits(tiles, {0, 0});
    auto storable = [&](int i) { return IsRiverStorable(i % width, i / width); };
    for (int i = 0; i < static_cast<int>(tiles); ++i) {
        const int down = drainage.Downstream(i);
        if (drainage.Flow(i) < narrow || down == CDrainage::kIntoTheSea || !storable(i)) {
            continue;
        }
        const int kind = drainage.Flow(i) >= 4 * narrow ? 0 : 1;
        const int x = i % width;
        const int y = i / width;
        if (down == CDrainage::kOffTheMap) {
            // Off the map's edge: an exit towards it.
            for (int d = 0; d < 4; ++d) {
                if (!grid.Contains(x + kRiverSteps[d][0], y + kRiverSteps[d][1])) {
                    exits[i][kind] |= RiverExit(d);
                    break;
                }
            }
            continue;
        }
        if (drainage.IsSea(down) || !storable(down)) {
            continue;  // the next tile is the sea: this one is the mouth
        }
        const int d = DirectionTo(x, y, down % width, down / width);
        exits[i][kind] |= RiverExit(d);
        exits[down][kind] |= RiverExit((d + 2) % 4);
    }
    for (int i = 0; i < static_cast<int>(tiles); ++i) {
        std::vector<RiverOverlay> stack;
        const int x = i % width;
        const int y = i / width;
        for (int kind = 0; kind < 2; ++kind) {
            if (exits[i][kind] == 0) {
                continue;
            }
            bool byWater = false;
            for (int d = 0; d < 4; ++d) {
                byWater = byWater || ((exits[i][kind] & RiverExit(d)) == 0 &&
                                      IsOpenWaterTowards(grid, x + kRiverSteps[d][0],
                                                         y + kRiverSteps[d][1], (d + 2) % 4));
            }
            const RiverPieceShape shape = ShapeForExits(exits[i][kind], byWater, false);
            const int piece = ChooseRiverPiece(exits[i][kind], shape, random);
            if (piece >= 0) {
                stack.push_back({static_cast<uint8_t>(kind), static_cast<uint8_t>(piece)});
            }
        }
        if (!stack.empty()) {
            grid.SetOverlays(x, y, std::move(stack));
        }
    }
}
