#pragma once

#include <cstdint>

// The 81 river pieces of each kind (wide and narrow share one layout). Pieces meet at the
// midpoints of the tile edges; a piece's exits name the edges its water reaches, with the bits of
// an exit mask (0 top, 2 right, 4 bottom, 6 left), so pieces that agree on an edge connect.

inline constexpr uint8_t kRiverExitTop = 1 << 0;
inline constexpr uint8_t kRiverExitRight = 1 << 2;
inline constexpr uint8_t kRiverExitBottom = 1 << 4;
inline constexpr uint8_t kRiverExitLeft = 1 << 6;
inline constexpr uint8_t kRiverExitDirections[4] = {0, 2, 4, 6};

enum class RiverPieceShape : uint8_t {
    kRun,       // two exits: straight across or a bend
    kFork,      // three exits: a side stream joins
    kJunction,  // four exits
    kSource,    // one exit: the river rises in the tile
    kMouth,     // one exit: the river fans out into open water
    kLake,      // a lake with any number of exits
};

struct RiverPieceInfo {
    uint8_t exits;
    RiverPieceShape shape;
    uint8_t variant;  // picks among drawings of the same shape and exits
};

// Piece n, 0 to 80.
const RiverPieceInfo& RiverPieceInfoAt(int n);
