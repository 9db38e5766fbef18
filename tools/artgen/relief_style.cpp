#include "relief_style.h"

namespace {

constexpr float kNoSnow = 99;

constexpr ReliefStyle kHills[2] = {
    // Low hills: green rises on grass, their tops yellower and their far sides in shade, enough
    // to tell them from grass when zoomed out.
    {
        .seed = 0x4111,
        .rugged = false,
        .minPeaks = 5,
        .maxPeaks = 8,
        .peakHeight = 0.45f,
        .minPeakRadius = 5,
        .maxPeakRadius = 10,
        .steepness = 7,
        .low = {74, 102, 37},
        .high = {112, 124, 50},
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
        .crestOctaves = 3,
        .crestGain = 0.3f,
        .steepness = 9,
        .low = {76, 84, 96},
        .high = {172, 176, 182},
        .highAt = 1.6f,
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
        .crestOctaves = 3,
        .crestGain = 0.3f,
        .steepness = 9,
        .low = {84, 92, 106},
        .high = {182, 186, 194},
        .highAt = 1.6f,
        .snow = {236, 240, 246},
        .snowAt = 0.68f,
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
