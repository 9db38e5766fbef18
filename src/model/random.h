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

    uint32_t seed = 0;
    uint32_t draws = 0;  // numbers produced since the last Seed
};

inline constexpr uint32_t kZeroSeedReplacement = 0xFEED4321u;

// Seeded with the calendar time in seconds at start-up.
extern CRandom theRandom;
