#include "mountain_foot_painter.h"

#include <cmath>

#include "art_random.h"

namespace {

constexpr Rgb kScree = {136, 128, 106};

}  // namespace

CMountainFootPainter::CMountainFootPainter(CTransitionMask mask, CArtImage hills,
                                           const CReliefPainter& mountains)
    : mask(std::move(mask)), hills(std::move(hills)), mountains(mountains) {}

CArtImage CMountainFootPainter::PaintCell(int cell) const {
    CTileField distance = mask.Cell(cell);
    CTileField massif = mountains.Raised(CArtRandom::Hash(0x25F0, cell));
    CArtImage rock = mountains.Shade(CTileField::Made([&](int x, int y) {
        // The range sinks to its foot where the hills begin, except at the cell's edges, where
        // it is the ground every cell of the range shares.
        float ground = mountains.Ground().At(x, y);
        float rocky = SmoothStep(1.0f, -6.0f, distance.At(x, y));
        return std::lerp(ground, rocky * (ground + massif.At(x, y)), EdgeWindow(x, y));
    }));
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        float d = distance.At(x, y);
        Rgb foot = Mix(rock.At(x, y), kScree, 0.45f * SmoothStep(-4.0f, 0.0f, d));
        return Mix(foot, hills.At(x, y), SmoothStep(-0.5f, 1.0f, d));
    });
}
