#pragma once

#include <cstdint>

// One river piece on a tile. kind 0 is a wide river, any other value a narrow one; cell is the
// piece 0 to 80 of that kind's set.
struct RiverOverlay {
    bool operator==(const RiverOverlay&) const = default;

    uint8_t kind = 0;
    uint8_t cell = 0;
};

inline constexpr uint8_t kWideRiver = 0;
inline constexpr uint8_t kNarrowRiver = 1;
