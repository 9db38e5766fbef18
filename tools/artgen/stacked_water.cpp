#include "stacked_water.h"

#include <algorithm>
#include <limits>

#include "art/art_catalog.h"

namespace {

// The lowest clearance of the runs among outlines whose exits are not `exits`, into nearest.
void TakeNearest(const std::vector<CRiverOutline>& outlines, uint8_t exits, CTileField& nearest) {
    for (int n = 0; n < static_cast<int>(outlines.size()); ++n) {
        const RiverPieceInfo& info = RiverPieceInfoAt(n);
        if (info.shape != RiverPieceShape::kRun || info.exits == exits) {
            continue;
        }
        nearest = CTileField::Made([&](int x, int y) {
            return std::min(nearest.At(x, y), outlines[n].clearance.At(x, y));
        });
    }
}

}  // namespace

CStackedWater::CStackedWater(const std::vector<CRiverOutline>& own,
                             const std::vector<CRiverOutline>& wide) {
    for (int n = 0; n < kRiverPieceCount; ++n) {
        uint8_t exits = RiverPieceInfoAt(n).exits;
        if (byExits.contains(exits)) {
            continue;
        }
        CTileField nearest =
            CTileField::Made([](int, int) { return std::numeric_limits<float>::max(); });
        TakeNearest(own, exits, nearest);
        TakeNearest(wide, exits, nearest);
        byExits.emplace(exits, nearest);
    }
}

const CTileField& CStackedWater::Partners(int n) const {
    return byExits.at(RiverPieceInfoAt(n).exits);
}
