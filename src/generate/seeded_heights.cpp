#include "generate/seeded_heights.h"

#include <algorithm>
#include <cmath>

#include "generate/value_noise.h"
#include "model/random.h"

namespace {

// How much the mask raises the land at (x, y), 0 to 1, for a map of width x height.
class CMaskShape {
  public:
    CMaskShape(int width, int height, uint32_t seed, LandMask mask)
        : width(width), height(height), mask(mask) {
        CRandom random(seed ^ 0x5EEDu);
        edge = random.Range(0, 3);
        for (int i = 0; i < kIslands; ++i) {
            islands[i] = {static_cast<float>(random.Range(0, width - 1)),
                          static_cast<float>(random.Range(0, height - 1)),
                          std::max(3.0f, random.Range(4, 10) * std::min(width, height) / 60.0f)};
        }
    }

    float At(int x, int y) const {
        const float u = (x + 0.5f) / width;
        const float v = (y + 0.5f) / height;
        switch (mask) {
            case LandMask::Continent: {
                const float du = (u - 0.5f) * 2;
                const float dv = (v - 0.5f) * 2;
                return std::max(0.0f, 1 - std::sqrt(du * du + dv * dv));
            }
            case LandMask::Islands: {
                float raise = 0;
                for (const Island& island : islands) {
                    const float dx = (x - island.x) / island.radius;
                    const float dy = (y - island.y) / island.radius;
                    raise = std::max(raise, std::exp(-(dx * dx + dy * dy)));
                }
                return raise;
            }
            case LandMask::Coast: {
                const float along[4] = {1 - v, u, v, 1 - u};
                return along[edge];
            }
            default:
                return 1;
        }
    }

  private:
    struct Island {
        float x;
        float y;
        float radius;
    };
    static constexpr int kIslands = 9;

    int width;
    int height;
    LandMask mask;
    int edge = 0;
    Island islands[kIslands];
};

}  // namespace

bool LandMaskOf(const std::string& name, LandMask& mask) {
    const std::pair<const char*, LandMask> names[] = {{"continent", LandMask::Continent},
                                                      {"islands", LandMask::Islands},
                                                      {"coast", LandMask::Coast},
                                                      {"land", LandMask::Land}};
    for (const auto& [text, value] : names) {
        if (name == text) {
            mask = value;
            return true;
        }
    }
    return false;
}

CHeightField SeededHeights(int width, int height, uint32_t seed, LandMask mask) {
    CHeightField heights(width, height);
    const CMaskShape shape(width, height, seed, mask);
    // Features a few dozen tiles across on any map, finer octaves down to single tiles.
    const float scale = std::max(8.0f, std::min(width, height) / 3.0f);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float noise =
                FractalNoise(static_cast<float>(x), static_cast<float>(y), scale, 6, seed);
            heights.Set(x, y, noise * 0.6f + shape.At(x, y));
        }
    }
    return heights;
}
