#include "relief_style.h"

namespace {

constexpr float kNoSnow = 99;

constexpr ReliefStyle kHills[2] = {
    // Low hills: soft green swells.
    {
        .seed = 0x4111,
        .rugged = false,
        .groundRelief = 0.4f,
        .minPeaks = 3,
        .maxPeaks = 5,
        .peakHeight = 0.6f,
        .minPeakRadius = 6,
        .maxPeakRadius = 11,
        .steepness = 2.6f,
        .low = {68, 96, 34},
        .high = {96, 118, 44},
        .highAt = 1.2f,
        .snowAt = kNoSnow,
        .shadowTint = {34, 60, 34},
        .scrub = 0.012f,
    },
    // High hills: steeper, browner tops, some scrub.
    {
        .seed = 0x4222,
        .rugged = false,
        .groundRelief = 0.5f,
        .minPeaks = 3,
        .maxPeaks = 5,
        .peakHeight = 1.2f,
        .minPeakRadius = 7,
        .maxPeakRadius = 12,
        .steepness = 3.0f,
        .low = {64, 90, 36},
        .high = {124, 120, 70},
        .highAt = 2.0f,
        .snowAt = kNoSnow,
        .shadowTint = {34, 52, 36},
        .scrub = 0.035f,
    },
};

// From grey-green rock through slate blue to pale blue under snow: the higher, the bluer and
// the whiter, as mountains look from afar.
constexpr ReliefStyle kMountains[3] = {
    // Low mountains.
    {
        .seed = 0x3111,
        .rugged = true,
        .groundRelief = 0.2f,
        .peakHeight = 1.5f,
        .minPeakRadius = 15,
        .maxPeakRadius = 18,
        .steepness = 4.5f,
        .low = {92, 110, 82},
        .high = {150, 148, 130},
        .highAt = 1.5f,
        .snowAt = kNoSnow,
        .shadowTint = {46, 58, 68},
        .scrub = 0.04f,
    },
    // Medium mountains.
    {
        .seed = 0x3222,
        .rugged = true,
        .groundRelief = 0.2f,
        .peakHeight = 2.1f,
        .minPeakRadius = 16,
        .maxPeakRadius = 19,
        .steepness = 4.5f,
        .low = {56, 104, 138},
        .high = {150, 190, 216},
        .highAt = 2.2f,
        .snow = {226, 234, 242},
        .snowAt = 1.8f,
        .shadowTint = {34, 64, 100},
        .scrub = 0.0f,
    },
    // High mountains.
    {
        .seed = 0x3333,
        .rugged = true,
        .groundRelief = 0.2f,
        .peakHeight = 2.6f,
        .minPeakRadius = 17,
        .maxPeakRadius = 20,
        .steepness = 4.5f,
        .low = {96, 124, 150},
        .high = {168, 186, 206},
        .highAt = 2.2f,
        .snow = {236, 240, 246},
        .snowAt = 1.45f,
        .shadowTint = {44, 62, 92},
        .scrub = 0.0f,
    },
};

}  // namespace

const ReliefStyle& HillsStyle(int level) {
    return kHills[level];
}
const ReliefStyle& MountainStyle(int level) {
    return kMountains[level];
}
