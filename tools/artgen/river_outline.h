#pragma once

#include <vector>

#include "art/river_piece_table.h"
#include "tile_field.h"

// The width of a river kind: half the water's width where pieces meet, and the bank beside it.
struct RiverWidth {
    float half;
    float bank;
};

// One river piece sampled at every pixel of its tile: water where clearance < 0, with its depth
// (0 at the bank, 1 in the deepest part), the bank where 0 <= clearance < bank width.
struct CRiverOutline {
    CRiverOutline(const RiverPieceInfo& piece, RiverWidth width);

    // All 81 pieces of a kind.
    static std::vector<CRiverOutline> AllPieces(RiverWidth width);

    CTileField clearance;
    CTileField depth;
};
