#include "desert_painter.h"

#include <cmath>
#include <numbers>

#include "art_random.h"
#include "shapes.h"

namespace {

constexpr uint32_t kSeed = 0xDE5E;
constexpr Rgb kSand = {184, 150, 86};
constexpr Rgb kRedSand = {8, -2, -6};
constexpr Rgb kPebble = {128, 102, 66};
constexpr Rgb kRock = {150, 128, 100};
constexpr Rgb kScrub = {112, 112, 60};

// Ripples run across the wind; 3 and 1 waves per tile keep them periodic. The phase field bends
// them, so that they do not line up from tile to tile.
float Ripple(int x, int y, float phase) {
    return std::sin(2 * std::numbers::pi_v<float> * (3 * x + y) / 50.0f * 2 + 4 * phase);
}

// Scattered over the whole cell but off its edges, so that no cluster marks each tile's middle.
void AddStones(CArtImage& image, CArtRandom& random) {
    int pebbles = 2 + random.Below(6);
    for (int i = 0; i < pebbles; ++i) {
        DarkenDisc(image, random.Range(6, 44), random.Range(6, 44), random.Range(0.7f, 1.3f), 0.8f);
    }
    if (random.Chance(0.35f)) {
        DrawTree(image, random.Range(8, 40), random.Range(8, 40), random.Range(1.8f, 2.6f), kRock,
                 random.Next());
    }
    int scrubs = random.Below(3);
    for (int i = 0; i < scrubs; ++i) {
        DrawTree(image, random.Range(7, 41), random.Range(7, 41), random.Range(1.3f, 2.0f), kScrub,
                 random.Next());
    }
}

// Dunes of about half a tile: a whole-tile swell would show as a band repeating every tile.
CTileField Dunes(uint32_t seed) {
    return CTileField::Noise(seed, 2, 3, 0.4f);
}

}  // namespace

CDesertPainter::CDesertPainter()
    : dunes(Dunes(kSeed)),
      tone(CTileField::Noise(kSeed + 1, 2, 3)),
      ripplePhase(CTileField::Noise(kSeed + 2, 2, 2)) {}

CArtImage CDesertPainter::Paint(const CTileField& duneField, const CTileField& toneField,
                                const CTileField& phaseField) const {
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        float slope = (duneField.At(x + 1, y) - duneField.At(x - 1, y)) +
                      (duneField.At(x, y + 1) - duneField.At(x, y - 1));
        float light = 1 - 0.6f * slope + 0.04f * Ripple(x, y, phaseField.At(x, y)) +
                      0.04f * toneField.At(x, y) + 0.04f * (CArtRandom::Grain(x, y, kSeed) - 0.5f);
        return kSand * light + kRedSand * toneField.At(x, y);
    });
}

CArtImage CDesertPainter::PaintGround() const {
    return Paint(dunes, tone, ripplePhase);
}

CArtImage CDesertPainter::PaintCell(int cell) const {
    uint32_t seed = CArtRandom::Hash(kSeed, cell);
    CArtImage image =
        Paint(dunes.WithInterior(Dunes(seed)), tone.WithInterior(CTileField::Noise(seed + 1, 2, 3)),
              ripplePhase.WithInterior(CTileField::Noise(seed + 2, 2, 2)));
    CArtRandom random(seed);
    AddStones(image, random);
    return image;
}
