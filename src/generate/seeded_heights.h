#pragma once

#include <cstdint>
#include <string>

#include "generate/height_field.h"

// Where a generated landscape keeps its land.
enum class LandMask {
    Continent,  // one land mass in the middle
    Islands,    // islands scattered over the sea
    Coast,      // land along one edge, sea along the other
    Land,       // land throughout
};

// The mask of a name ("continent", "islands", "coast", "land"); false for another.
bool LandMaskOf(const std::string& name, LandMask& mask);

// A fractal height field of width x height tiles from seed: several octaves of noise, shaped by
// the mask. The same seed and mask give the same heights.
CHeightField SeededHeights(int width, int height, uint32_t seed, LandMask mask);
