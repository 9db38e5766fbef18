#include "swamp_painter.h"

#include "art_random.h"

namespace {

constexpr uint32_t kSeed = 0x5A3B;
constexpr Rgb kMeadow = {58, 110, 46};
constexpr Rgb kMoss = {44, 78, 40};
constexpr Rgb kMud = {72, 78, 46};
constexpr Rgb kShallowPool = {46, 74, 66};
constexpr Rgb kDeepPool = {24, 44, 48};
constexpr Rgb kReed = {100, 124, 54};
constexpr float kShore = 0.02f;
constexpr float kWater = 0.09f;

CTileField PoolField(uint32_t seed) {
    return CTileField::Noise(seed, 2, 4, 0.55f);
}

enum class ReedPlace { kAnywhere, kNearEdges, kInside };

bool InPlace(ReedPlace place, int x, int y) {
    float inside = EdgeWindow(x, y);
    return place == ReedPlace::kAnywhere || (place == ReedPlace::kNearEdges) == (inside < 0.3f);
}

// Reeds stand where the ground is wet but not under water. Tufts near the edges come from one
// shared sequence, so that every variant shows the ones its neighbours continue.
void AddReeds(CArtImage& image, const CTileField& poolField, uint64_t seed, ReedPlace place) {
    CArtRandom random(seed);
    for (int i = 0; i < 22; ++i) {
        int x = random.Below(50);
        int y = random.Below(50);
        float wet = poolField.At(x, y);
        if (wet > kWater || wet < -0.2f || !InPlace(place, x, y)) {
            continue;
        }
        for (int blade = 0; blade < 3; ++blade) {
            int height = 2 + CArtRandom::Hash(x, y, blade) % 3;
            for (int h = 0; h < height; ++h) {
                image.Wrapped(x + blade - 1, y - h) = kReed * (1.1f - 0.12f * h);
            }
        }
    }
}

}  // namespace

CSwampPainter::CSwampPainter()
    : pools(PoolField(kSeed)), moss(CTileField::Noise(kSeed + 1, 3, 2)) {}

CArtImage CSwampPainter::Paint(const CTileField& poolField) const {
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        float p = poolField.At(x, y);
        if (p > kWater) {
            return Mix(kShallowPool, kDeepPool, SmoothStep(kWater, 0.5f, p));
        }
        Rgb land = Mix(kMeadow, kMoss, SmoothStep(-0.3f, 0.5f, moss.At(x, y)));
        return Mix(land, kMud, SmoothStep(kShore - 0.08f, kShore, p));
    });
}

CArtImage CSwampPainter::PaintGround() const {
    CArtImage image = Paint(pools);
    AddReeds(image, pools, kSeed, ReedPlace::kAnywhere);
    return image;
}

CArtImage CSwampPainter::PaintCell(int cell) const {
    uint32_t seed = CArtRandom::Hash(kSeed, cell);
    CTileField poolField = pools.WithInterior(PoolField(seed));
    CArtImage image = Paint(poolField);
    AddReeds(image, pools, kSeed, ReedPlace::kNearEdges);
    AddReeds(image, poolField, seed, ReedPlace::kInside);
    return image;
}
