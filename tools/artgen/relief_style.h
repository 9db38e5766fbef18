#pragma once

#include <cstdint>

#include "rgb.h"

// How a hilly or mountainous type looks: the heights of its ground and of what each variant
// raises on it, and the colours by height.
struct ReliefStyle {
    uint32_t seed;
    bool rugged;             // a mountain range (see CMountainRange) rather than rounded hills
    float groundRelief = 0;  // height of the swells of hills that have ground of their own
    int minPeaks = 0;        // hills a variant raises
    int maxPeaks = 0;
    float peakHeight;
    float minPeakRadius;  // of a hill, or of a mountain peak's foot
    float maxPeakRadius;
    float countryHeight = 0;  // of the crests mountain peaks stand on
    int crestOctaves = 4;     // of the crests: fewer and weaker fine ones give broader ridges
    float crestGain = 0.4f;
    float steepness;  // how strongly slopes are lit and shaded
    Rgb low;          // colour at height 0
    Rgb high;         // colour at height `highAt`
    float highAt;
    Rgb snow = {};
    float snowAt;    // snow lies above this height
    Rgb shadowTint;  // what faces away from the light turns towards
    // The first glacierCells cells of the sheet carry glaciers of ice below iceUpTo.
    int glacierCells = 0;
    Rgb ice = {};
    float iceUpTo = 0;
    float scrub;  // density of dark bushes on the lower slopes
};

// Level 0 and 1: low and high hills; level 0 to 2: low, medium and high mountains.
const ReliefStyle& HillsStyle(int level);
const ReliefStyle& MountainStyle(int level);
