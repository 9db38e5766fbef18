#include "grass_painter.h"

#include "art_random.h"
#include "shapes.h"

namespace {

constexpr uint32_t kSeed = 0x6A55;
constexpr Rgb kGrass = {74, 102, 37};
constexpr Rgb kYellowing = {10, 6, -2};
constexpr Rgb kShrub = {54, 84, 32};

// Clumps of shrubs, in only some variants and anywhere off the edges: one in the middle of
// every tile would show as a lattice over a large meadow. They are shaded softly into the
// grass, so that a shrub is not a black dot where a zoomed-out view picks one of its pixels.
void AddShrubs(CArtImage& image, CArtRandom& random) {
    float roll = random.Unit();
    int count = roll < 0.55f ? 0 : roll < 0.9f ? 1 : 2;
    CArtImage meadow = image;
    for (int i = 0; i < count; ++i) {
        float x = random.Range(11, 39);
        float y = random.Range(11, 39);
        int parts = 2 + random.Below(3);
        for (int p = 0; p < parts; ++p) {
            float px = x + random.Range(-3, 3);
            float py = y + random.Range(-2, 2);
            float radius = random.Range(1.8f, 3.0f);
            Point shadow = TreeShadowCentre(px, py, radius);
            DarkenDisc(image, shadow.x, shadow.y, radius, 0.85f);
            DrawCanopy(image, px, py, radius, kShrub * random.Range(0.9f, 1.15f), random.Next());
        }
    }
    image = CArtImage::Painted(image.Width(), image.Height(), [&](int x, int y) {
        return Mix(meadow.At(x, y), image.At(x, y), 0.6f);
    });
}

}  // namespace

CGrassPainter::CGrassPainter()
    : patches(CTileField::Noise(kSeed, 2, 3)),
      tint(CTileField::Noise(kSeed + 1, 1, 2)),
      texture(CTileField::Noise(kSeed + 2, 10, 2)) {}

CArtImage CGrassPainter::Paint(const CTileField& patchField, const CTileField& tintField,
                               const CTileField& textureField, uint32_t grainSeed) const {
    // The grain is each variant's own inside the outer ring of pixels, which all variants share:
    // grain shared further in would repeat at the same pixels of every tile when zoomed out.
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        uint32_t seed = EdgeDistance(x, y) == 0 ? kSeed : grainSeed;
        float light = 1 + 0.09f * patchField.At(x, y) + 0.05f * textureField.At(x, y) +
                      0.07f * (CArtRandom::Grain(x, y, seed) - 0.5f);
        return kGrass * light + kYellowing * std::max(0.0f, tintField.At(x, y));
    });
}

CArtImage CGrassPainter::PaintGround() const {
    return Paint(patches, tint, texture, kSeed);
}

CArtImage CGrassPainter::PaintCell(int cell) const {
    uint32_t seed = CArtRandom::Hash(kSeed, cell);
    CArtImage image = Paint(patches.WithInterior(CTileField::Noise(seed, 2, 3)),
                            tint.WithInterior(CTileField::Noise(seed + 1, 2, 2)),
                            texture.WithInterior(CTileField::Noise(seed + 2, 10, 2)), seed);
    CArtRandom random(seed);
    AddShrubs(image, random);
    return image;
}
