#include "art_random.h"

namespace {

uint64_t Mix64(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

uint64_t CArtRandom::Next() {
    state += 0x9E3779B97F4A7C15ull;
    return Mix64(state);
}

float CArtRandom::Unit() {
    return static_cast<float>(Next() >> 40) / static_cast<float>(1 << 24);
}

int CArtRandom::Below(int n) {
    return static_cast<int>((Next() >> 33) % static_cast<uint64_t>(n));
}

uint32_t CArtRandom::Hash(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    uint64_t h = Mix64(a + 0x9E3779B97F4A7C15ull);
    h = Mix64(h ^ (b + 0x632BE59BD9B4E019ull));
    h = Mix64(h ^ (c + 0x85157AF5ull));
    return static_cast<uint32_t>(Mix64(h ^ d) >> 32);
}
