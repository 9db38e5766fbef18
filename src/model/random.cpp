#include "model/random.h"

#include <ctime>

CRandom theRandom(static_cast<uint32_t>(std::time(nullptr)));

void CRandom::Seed(uint32_t value) {
    seed = value != 0 ? value : kZeroSeedReplacement;
    draws = 0;
}

int CRandom::Range(int lo, int hi) {
    // All arithmetic is modulo 2^32, so reversed and very wide ranges behave as the game's do.
    uint32_t count = static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo) + 1u;
    if (count == 0) {
        return 0;
    }
    uint32_t offset;
    if (count > 0xFFFFu) {
        uint32_t a = static_cast<uint32_t>(Range(0, 0xFFFE));
        uint32_t b = static_cast<uint32_t>(Range(0, 0xFFFE));
        offset = ((a << 16) | b) % count;
    } else {
        offset = static_cast<uint32_t>(Below(count));
    }
    return static_cast<int>(static_cast<uint32_t>(lo) + offset);
}
