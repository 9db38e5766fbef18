#include "relief_style.h"

namespace {

constexpr float kNoSnow = 99;

constexpr ReliefStyle kHills[2] = {
    // Low hills: low green rises on grass, their tops a little yellower.
    {
        .seed = 0x4111,
        .rugged = false,
        .minPeaks = 4,
        .maxPeaks = 7,
        .peakHeight = 0.3f,
        .minPeakRadius = 4,
        .maxPeakRadius = 10,
        .steepness = 6,
        .low = {74, 102, 37},
        .high = {92, 116, 42},
        .highAt = 0.4f,
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
        .maxPeaks = 6,
        .peakHeight = 1.2f,
        .minPeakRadius = 5,
        .maxPeakRadius = 11,
        .steepness = 3.0f,
        .low = {64, 90, 36},
        .high = {124, 120, 70},
        .highAt = 2.0f,
        .snowAt = kNoSnow,
        .shadowTint = {34, 52, 36},
        .scrub = 0.035f,
    },
};

// From grey-green rock through slate grey to pale rock under snow: the higher, the bluer the
// shade and the whiter the tops, as mountains look from afar.
constexpr ReliefStyle kMountains[3] = {
    // Low mountains: grey-green rock, scrub on the lower slopes.
    {
        .seed = 0x3111,
        .rugged = true,
        .peakHeight = 1.5f,
        .minPeakRadius = 15,
        .maxPeakRadius = 21,
        .countryHeight = 0.7f,
        .steepness = 5.5f,
        .low = {92, 110, 82},
        .high = {150, 148, 130},
        .highAt = 1.5f,
        .snowAt = kNoSnow,
        .shadowTint = {46, 58, 68},
        .scrub = 0.04f,
    },
    // Medium mountains: slate-grey rock, blue in the shade, snow on the highest tops.
    {
        .seed = 0x3222,
        .rugged = true,
        .peakHeight = 2.1f,
        .minPeakRadius = 15,
        .maxPeakRadius = 21,
        .countryHeight = 0.8f,
        .steepness = 5.5f,
        .low = {92, 100, 106},
        .high = {160, 166, 172},
        .highAt = 2.2f,
        .snow = {226, 234, 242},
        .snowAt = 2.3f,
        .shadowTint = {34, 64, 120},
        // The overview shows the first two cells in a cold blue: they hold glaciers.
        .glacierCells = 2,
        .ice = {96, 150, 188},
        .iceUpTo = 0.6f,
        .scrub = 0.0f,
    },
    // High mountains: pale rock under much snow.
    {
        .seed = 0x3333,
        .rugged = true,
        .peakHeight = 2.6f,
        .minPeakRadius = 15,
        .maxPeakRadius = 21,
        .countryHeight = 1.0f,
        .steepness = 5.5f,
        .low = {104, 112, 122},
        .high = {170, 176, 184},
        .highAt = 2.2f,
        .snow = {236, 240, 246},
        .snowAt = 0.8f,
        .shadowTint = {40, 62, 110},
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
