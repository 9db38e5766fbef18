#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "transitions/terrain_families.h"

// Where a generated map has desert: none, in the driest places of a noise field, or more of it
// the further south.
enum class DesertSpread { None, Dry, South };

// How many rivers a generated map gets: the flow (in tiles draining through a tile) that makes a
// narrow river, and four times it a wide one.
enum class RiverAmount { None, Few, Some, Many };

// What the pipeline makes of heights: where the sea ends, how the land is split into bands, and
// how much desert, rivers, woods, farms and swamps it gets.
struct GenerationOptions {
    // The share of the tiles above the sea, unless a sea level is given.
    double landShare = 0.45;
    std::optional<float> seaLevel;
    // The land's bands by the share of the land below their top: grass or desert, Low Hills,
    // High Hills, Low Mountain, Med Mountain; High Mountain above.
    std::array<double, 5> bandTops{0.55, 0.75, 0.85, 0.92, 0.97};
    // Sea tiles this close to land are shallows.
    int shallowsWidth = 1;
    DesertSpread desert = DesertSpread::None;
    double desertShare = 0.3;  // of the grass band
    RiverAmount rivers = RiverAmount::Some;
    // Shares of the land.
    double woodsShare = 0.12;
    double farmsShare = 0.06;
    double swampsShare = 0.02;
    TransitionOptions transitions = TransitionOptions::Default();
    // Every random choice of the pipeline comes from it: the same heights, options and seed give
    // the same map.
    uint32_t seed = 1;
};
