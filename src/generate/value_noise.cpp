#include "generate/value_noise.h"

#include <cmath>

namespace {

uint32_t Hash(int x, int y, uint32_t seed) {
    uint32_t h =
        seed ^ (static_cast<uint32_t>(x) * 0x8DA6B343u) ^ (static_cast<uint32_t>(y) * 0xD8163841u);
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float Corner(int x, int y, uint32_t seed) {
    return static_cast<float>(Hash(x, y, seed) & 0xFFFFFF) / 0x7FFFFF - 1;
}

float Smooth(float t) {
    return t * t * (3 - 2 * t);
}

}  // namespace

float ValueNoise(float x, float y, uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float u = Smooth(x - fx);
    const float v = Smooth(y - fy);
    const float top = Corner(ix, iy, seed) + (Corner(ix + 1, iy, seed) - Corner(ix, iy, seed)) * u;
    const float bottom =
        Corner(ix, iy + 1, seed) + (Corner(ix + 1, iy + 1, seed) - Corner(ix, iy + 1, seed)) * u;
    return top + (bottom - top) * v;
}

float FractalNoise(float x, float y, float scale, int octaves, uint32_t seed) {
    float sum = 0;
    float weight = 1;
    float total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * ValueNoise(x / scale, y / scale, seed + 977u * octave);
        total += weight;
        weight *= 0.5f;
        scale *= 0.5f;
    }
    return sum / total;
}
