#include "grass_painter.h"

#include "art_random.h"
#include "shapes.h"

namespace {

constexpr uint32_t kSeed = 0x6A55;
constexpr Rgb kGrass = {74, 102, 37};
constexpr Rgb kYellowing = {10, 6, -2};
constexpr Rgb kShrub = {46, 78, 30};

void AddShrubs(CArtImage& image, CArtRandom& random) {
    int count = random.Below(4);
    for (int i = 0; i < count; ++i) {
        float x = random.Range(14, 36);
        float y = random.Range(14, 36);
        int parts = 2 + random.Below(3);
        for (int p = 0; p < parts; ++p) {
            DrawTree(image, x + random.Range(-3, 3), y + random.Range(-2, 2),
                     random.Range(1.8f, 3.0f), kShrub * random.Range(0.9f, 1.15f), random.Next());
        }
    }
}

}  // namespace

CGrassPainter::CGrassPainter()
    : patches(CTileField::Noise(kSeed, 2, 3)),
      tint(CTileField::Noise(kSeed + 1, 1, 2)),
      texture(CTileField::Noise(kSeed + 2, 10, 2)) {}

CArtImage CGrassPainter::Paint(const CTileField& patchField, const CTileField& tintField) const {
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        float light = 1 + 0.09f * patchField.At(x, y) + 0.05f * texture.At(x, y) +
                      0.07f * (CArtRandom::Grain(x, y, kSeed) - 0.5f);
        return kGrass * light + kYellowing * std::max(0.0f, tintField.At(x, y));
    });
}

CArtImage CGrassPainter::PaintGround() const {
    return Paint(patches, tint);
}

CArtImage CGrassPainter::PaintCell(int cell) const {
    uint32_t seed = CArtRandom::Hash(kSeed, cell);
    CArtImage image = Paint(patches.WithInterior(CTileField::Noise(seed, 2, 3)),
                            tint.WithInterior(CTileField::Noise(seed + 1, 2, 2)));
    CArtRandom random(seed);
    AddShrubs(image, random);
    return image;
}
