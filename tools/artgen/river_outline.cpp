#include "river_outline.h"

#include "art/art_catalog.h"
#include "river_shape.h"

namespace {

const CTileField& Ragged() {
    static const CTileField ragged = CTileField::Noise(0x7178, 8, 2);
    return ragged;
}

}  // namespace

CRiverOutline::CRiverOutline(const RiverPieceInfo& piece, RiverWidth width) {
    CRiverShape shape(piece, width.half, width.bank);
    for (int y = 0; y < CTileField::kSize; ++y) {
        for (int x = 0; x < CTileField::kSize; ++x) {
            RiverSample sample = shape.Sample({x + 0.5f, y + 0.5f});
            // Ragged banks away from the edges; where pieces meet, the outline is exact.
            clearance.Ref(x, y) = sample.clearance + 0.8f * Ragged().At(x, y) * EdgeWindow(x, y);
            depth.Ref(x, y) = sample.depth;
        }
    }
}

std::vector<CRiverOutline> CRiverOutline::AllPieces(RiverWidth width) {
    std::vector<CRiverOutline> outlines;
    for (int n = 0; n < kRiverPieceCount; ++n) {
        outlines.emplace_back(RiverPieceInfoAt(n), width);
    }
    return outlines;
}
