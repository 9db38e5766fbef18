#pragma once

#include <cstdint>

// The generator's own random numbers (SplitMix64): the same sequence on every machine and
// compiler, which the standard library's distributions do not promise.
class CArtRandom {
  public:
    explicit CArtRandom(uint64_t seed) : state(seed) {}

    uint64_t Next();
    // Uniform in [0, 1).
    float Unit();
    // Uniform in [lo, hi).
    float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
    // Uniform integer in [0, n).
    int Below(int n);
    bool Chance(float p) { return Unit() < p; }

    // A well-mixed hash of a few integers, for values tied to a place rather than a sequence.
    static uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0, uint32_t d = 0);
    // A value in [0, 1) tied to pixel (x, y): grain that is the same wherever the pixel is drawn.
    static float Grain(int x, int y, uint32_t seed) {
        return (Hash(x, y, seed) & 0xFFFF) / 65536.0f;
    }

  private:
    uint64_t state;
};
