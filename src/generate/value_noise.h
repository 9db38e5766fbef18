#pragma once

#include <cstdint>

// Smooth random fields of the plane, the same for the same seed on every machine: value noise
// on an integer lattice, interpolated smoothly, summed over octaves of halving size.

// One octave: about -1 to 1, changing over a distance of 1.
float ValueNoise(float x, float y, uint32_t seed);
// octaves of ValueNoise, the first over a distance of scale, each next one half the size and
// half the weight; about -1 to 1.
float FractalNoise(float x, float y, float scale, int octaves, uint32_t seed);
