#pragma once

#include <cstdint>

#include "rgb.h"

// How a hilly or mountainous type looks: the shared ground near the tile edges, the heights
// each variant raises in the middle, and the colours by height.
struct ReliefStyle {
    uint32_t seed;
    bool rugged;         // rock peaks with plane faces rather than rounded hills
    float groundRelief;  // height of the shared ground's bumps
    int minPeaks = 0;    // hills a rounded variant raises
    int maxPeaks = 0;
    float peakHeight;
    float minPeakRadius;  // of a hill, or of a mountain's foot
    float maxPeakRadius;
    float steepness;  // how strongly slopes are lit and shaded
    Rgb low;          // colour at height 0
    Rgb high;         // colour at height `highAt`
    float highAt;
    Rgb snow = {};
    float snowAt;    // snow lies above this height
    Rgb shadowTint;  // what faces away from the light turns towards
    float scrub;     // density of dark bushes on the lower slopes
};

// Level 0 and 1: low and high hills; level 0 to 2: low, medium and high mountains.
const ReliefStyle& HillsStyle(int level);
const ReliefStyle& MountainStyle(int level);
