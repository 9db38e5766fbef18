#include "coast_painter.h"

#include "art_random.h"

namespace {

constexpr uint32_t kGrainSeed = 0xC0A5;
constexpr Rgb kBeachSand = {198, 178, 120};
constexpr Rgb kCoastalWater = {40, 108, 116};
constexpr Rgb kFoam = {150, 182, 178};
constexpr Rgb kGrassTuft = {92, 112, 44};

}  // namespace

CCoastPainter::CCoastPainter(CTransitionMask mask, CArtImage open, CArtImage closed, Shore shore)
    : mask(std::move(mask)), open(std::move(open)), closed(std::move(closed)), shore(shore) {}

Rgb CCoastPainter::ShoreColour(float d, int x, int y) const {
    const Rgb& land = open.At(x, y);
    if (shore == kBeach) {
        float grain = CArtRandom::Grain(x, y, kGrainSeed) - 0.5f;
        return Mix(land, kBeachSand * (1 + 0.08f * grain), SmoothStep(3.2f, 2.2f, d));
    }
    return land * (1 - 0.22f * SmoothStep(2.5f, 1.0f, d));
}

Rgb CCoastPainter::WaterColour(float d, int x, int y) const {
    Rgb water = Mix(closed.At(x, y), kCoastalWater, 0.8f * SmoothStep(-7, 0, d));
    return d > -1.2f ? Mix(water, kFoam, 0.5f) : water;
}

Rgb CCoastPainter::BlendColour(float d, int x, int y) const {
    float grain = CArtRandom::Grain(x, y, kGrainSeed) - 0.5f;
    Rgb mixed = Mix(closed.At(x, y), open.At(x, y), SmoothStep(-2.5f, 2.5f, d + 2 * grain));
    // Tufts of grass straggle out into the sand.
    bool tuft = d < 0 && d > -6 && grain > 0.36f;
    return tuft ? kGrassTuft * (1 + grain * 0.3f) : mixed;
}

CArtImage CCoastPainter::PaintCell(int cell) const {
    CTileField distance = mask.Cell(cell);
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        float d = distance.At(x, y);
        if (shore == kGrassEdge) {
            return BlendColour(d, x, y);
        }
        return d >= 0 ? ShoreColour(d, x, y) : WaterColour(d, x, y);
    });
}
