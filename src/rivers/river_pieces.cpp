#include "rivers/river_pieces.h"

#include <array>
#include <bit>
#include <vector>

#include "art/art_catalog.h"
#include "model/random.h"

namespace {

constexpr int kShapes = static_cast<int>(RiverPieceShape::kLake) + 1;

// The pieces of each exit mask and shape, in piece order.
const std::vector<int>& PiecesOf(uint8_t exits, RiverPieceShape shape) {
    static const auto table = [] {
        std::array<std::array<std::vector<int>, kShapes>, 256> pieces;
        for (int n = 0; n < kRiverPieceCount; ++n) {
            const RiverPieceInfo& info = RiverPieceInfoAt(n);
            pieces[info.exits][static_cast<int>(info.shape)].push_back(n);
        }
        return pieces;
    }();
    return table[exits][static_cast<int>(shape)];
}

bool Exists(uint8_t exits, RiverPieceShape shape) {
    return !PiecesOf(exits, shape).empty();
}

}  // namespace

uint8_t RiverExit(int direction) {
    return static_cast<uint8_t>(1 << kRiverExitDirections[direction]);
}

int DirectionTo(int fromX, int fromY, int toX, int toY) {
    for (int d = 0; d < 4; ++d) {
        if (fromX + kRiverSteps[d][0] == toX && fromY + kRiverSteps[d][1] == toY) {
            return d;
        }
    }
    return -1;
}

RiverPieceShape ShapeForExits(uint8_t exits, bool byOpenWater, bool wasLake) {
    if (wasLake && Exists(exits, RiverPieceShape::kLake)) {
        return RiverPieceShape::kLake;
    }
    switch (std::popcount(exits)) {
        case 0:
            return RiverPieceShape::kLake;
        case 1:
            return byOpenWater ? RiverPieceShape::kMouth : RiverPieceShape::kSource;
        case 2:
            return RiverPieceShape::kRun;
        case 3:
            return RiverPieceShape::kFork;
        default:
            return RiverPieceShape::kJunction;
    }
}

int ChooseRiverPiece(uint8_t exits, RiverPieceShape shape, CRandom& random) {
    const std::vector<int>& pieces = PiecesOf(exits, shape);
    return pieces.empty() ? -1 : pieces[random.Below(static_cast<uint32_t>(pieces.size()))];
}
