#include "tile_field.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "art_random.h"
#include "rgb.h"

namespace {

constexpr float kTileSize = CTileField::kSize;

float Fade(float t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

// The random gradients of one octave's lattice, which repeats every periodX x periodY points.
// Gradient noise is 0 on the lattice points; a shifted lattice moves them off the tile's edges
// and middle, to a place of the seed's choosing.
class GradientLattice {
  public:
    GradientLattice(int periodX, int periodY, uint32_t seed, bool shifted = false)
        : periodX(periodX),
          periodY(periodY),
          shiftX(shifted ? (CArtRandom::Hash(seed, 1) & 0xFFFF) / 65536.0f : 0),
          shiftY(shifted ? (CArtRandom::Hash(seed, 2) & 0xFFFF) / 65536.0f : 0),
          gradients(static_cast<size_t>(periodX) * periodY) {
        for (int j = 0; j < periodY; ++j) {
            for (int i = 0; i < periodX; ++i) {
                float angle =
                    CArtRandom::Hash(i, j, seed) * (2 * std::numbers::pi_v<float> / 4294967296.0f);
                gradients[j * periodX + i] = {std::cos(angle), std::sin(angle)};
            }
        }
    }

    // Gradient noise at pixel (x, y) of the tile.
    float At(int x, int y) const {
        float u = (x + 0.5f) * periodX / kTileSize + shiftX;
        float v = (y + 0.5f) * periodY / kTileSize + shiftY;
        int i0 = static_cast<int>(std::floor(u));
        int j0 = static_cast<int>(std::floor(v));
        float fu = u - i0;
        float fv = v - j0;
        auto corner = [&](int di, int dj) {
            const auto& [gx, gy] =
                gradients[Wrap(j0 + dj, periodY) * periodX + Wrap(i0 + di, periodX)];
            return gx * (fu - di) + gy * (fv - dj);
        };
        float a = std::lerp(corner(0, 0), corner(1, 0), Fade(fu));
        float b = std::lerp(corner(0, 1), corner(1, 1), Fade(fu));
        return std::lerp(a, b, Fade(fv)) * 1.4f;
    }

  private:
    static int Wrap(int v, int period) { return ((v % period) + period) % period; }

    int periodX;
    int periodY;
    float shiftX;
    float shiftY;
    std::vector<std::pair<float, float>> gradients;
};

}  // namespace

CTileField CTileField::Noise(uint32_t seed, int periodX, int periodY, int octaves, float gain) {
    CTileField field;
    float weight = 1;
    float total = 0;
    for (int o = 0; o < octaves; ++o) {
        GradientLattice lattice(periodX << o, periodY << o, CArtRandom::Hash(seed, o));
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                field.Ref(x, y) += weight * lattice.At(x, y);
            }
        }
        total += weight;
        weight *= gain;
    }
    for (float& v : field.values) {
        v = std::clamp(v / total, -1.0f, 1.0f);
    }
    return field;
}

CTileField CTileField::Ridges(uint32_t seed, int period, int octaves) {
    CTileField field;
    field.values.fill(1);
    for (int o = 0; o < octaves; ++o) {
        GradientLattice lattice(period << o, period << o, CArtRandom::Hash(seed, o, 7));
        float strength = 1.0f / (o + 1);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                float n = lattice.At(x, y);
                field.Ref(x, y) *= 1 - strength * std::min(1.0f, std::abs(n));
            }
        }
    }
    return field;
}

CTileField CTileField::Crests(uint32_t seed, int period, int octaves, float gain) {
    CTileField field;
    CTileField weight;
    weight.values.fill(1);
    float amplitude = 1;
    float total = 0;
    for (int o = 0; o < octaves; ++o) {
        GradientLattice lattice(period << o, period << o, CArtRandom::Hash(seed, o, 9), true);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                float crest = 1 - std::min(1.0f, std::abs(lattice.At(x, y)));
                float signal = crest * crest * weight.At(x, y);
                field.Ref(x, y) += amplitude * signal;
                // Finer crests grow where the coarser ones are high: on the ridges, not in
                // the valleys.
                weight.Ref(x, y) = std::clamp(signal * 2, 0.0f, 1.0f);
            }
        }
        total += amplitude;
        amplitude *= gain;
    }
    for (float& v : field.values) {
        v /= total;
    }
    return field;
}

CTileField CTileField::WithInterior(const CTileField& inner) const {
    return Made(
        [&](int x, int y) { return std::lerp(At(x, y), inner.At(x, y), EdgeWindow(x, y)); });
}

int EdgeDistance(int x, int y) {
    return std::min({x, y, CTileField::kSize - 1 - x, CTileField::kSize - 1 - y});
}

float EdgeWindow(int x, int y) {
    return SmoothStep(3, 12, static_cast<float>(EdgeDistance(x, y)));
}
