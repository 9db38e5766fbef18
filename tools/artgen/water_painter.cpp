#include "water_painter.h"

#include "art_random.h"

namespace {

constexpr Rgb kOceanWater = {12, 46, 70};
constexpr Rgb kOceanCrest = {22, 36, 40};
constexpr Rgb kShallowWater = {36, 102, 112};
constexpr Rgb kSandyBottom = {74, 130, 122};
constexpr Rgb kGlint = {22, 28, 24};

// Crests are short strokes, longer than they are high: 4 lattice cells across a tile, 12 down.
CTileField CrestField(uint32_t seed) {
    return CTileField::Noise(seed, 4, 12, 2, 0.5f);
}

}  // namespace

CWaterPainter::CWaterPainter(Depth depth)
    : depth(depth),
      seed(depth == kOcean ? 0x0CEA : 0x5A11),
      bottom(CTileField::Noise(seed, 2, 3)),
      crests(CrestField(seed + 1)) {}

CArtImage CWaterPainter::Paint(const CTileField& bottomField, const CTileField& crestField) const {
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        float b = bottomField.At(x, y);
        // No crests in the band next to the edges that every variant shares: one there would
        // stand in the same place on every tile and mark out the grid.
        float crest = SmoothStep(0.45f, 0.8f, crestField.At(x, y)) * EdgeWindow(x, y);
        if (depth == kOcean) {
            return kOceanWater * (1 + 0.12f * b) + kOceanCrest * crest;
        }
        Rgb water = Mix(kShallowWater, kSandyBottom, 0.4f * SmoothStep(-0.2f, 0.7f, b));
        return water * (1 + 0.04f * b) + kGlint * crest;
    });
}

CArtImage CWaterPainter::PaintGround() const {
    return Paint(bottom, crests);
}

CArtImage CWaterPainter::PaintCell(int cell) const {
    uint32_t cellSeed = CArtRandom::Hash(seed, cell);
    return Paint(bottom.WithInterior(CTileField::Noise(cellSeed, 2, 3)),
                 crests.WithInterior(CrestField(cellSeed + 1)));
}
