#pragma once

#include <cstdint>

#include "foundation/lib_object.h"

// The generator behind random art cells: a 32-bit linear congruential generator.
class CRandom : public LibObject {
  public:
    explicit CRandom(uint32_t initialSeed = 0) { Seed(initialSeed); }

    // seed = value, or 0xFEED4321 for 0; resets the draw count.
    void Seed(uint32_t value);
    // A uniform integer in [lo, hi]; 0 when the range is empty.
    int Range(int lo, int hi);
    // Range(0, count - 1) for a count of 1 to 65535.
    int Below(uint32_t count) { return Draw(seed, draws, count); }
    // The step behind Below on a state held elsewhere.
    static int Draw(uint32_t& seed, uint32_t& draws, uint32_t count) {
        seed = seed * 22707277u + 1u;
        ++draws;
        return static_cast<int>((((seed >> 8) & 0xFFFFu) * count) >> 16);
    }

    uint32_t seed = 0;
    uint32_t draws = 0;  // numbers produced since the last Seed
};

inline constexpr uint32_t kZeroSeedReplacement = 0xFEED4321u;

// A generator's state copied into a plain local for loops that draw per item, which the compiler
// can keep in registers where the generator object itself would have to stay in memory; put back
// when the loop is done.
struct RandomState {
    explicit RandomState(const CRandom& from) : seed(from.seed), draws(from.draws) {}
    void PutBack(CRandom& to) const {
        to.seed = seed;
        to.draws = draws;
    }
    int Below(uint32_t count) { return CRandom::Draw(seed, draws, count); }

    uint32_t seed;
    uint32_t draws;
};

// Seeded with the calendar time in seconds at start-up.
extern CRandom theRandom;
