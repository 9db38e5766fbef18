#include "transitions/terrain_families.h"

#include <algorithm>

#include "model/terrain_type.h"

namespace {

const std::vector<int> kDesertCoast = {TERRAIN_TYPE_DESERT_OCEAN};
const std::vector<int> kGrassDesert = {TERRAIN_TYPE_GRASS_DESERT};
const std::vector<int> kMountainFoot = {TERRAIN_TYPE_MTN_TRANS};

bool IsCoastLand(int type) {
    return type == TERRAIN_TYPE_GRASS || type == TERRAIN_TYPE_DESERT;
}

// Land that mountains rise from.
bool IsLowGround(int type) {
    return type >= TERRAIN_TYPE_SUBURB && type <= TERRAIN_TYPE_SWAMP && !IsMountainType(type);
}

// The most frequent corner type, ties going to the tile's current type, then to the first.
int MajorityOf(const TileCorners& corners, int currentType) {
    int best = corners[0];
    int bestCount = 0;
    for (uint8_t type : corners) {
        int count = static_cast<int>(std::count(corners.begin(), corners.end(), type));
        if (count > bestCount || (count == bestCount && type == currentType)) {
            best = type;
            bestCount = count;
        }
    }
    return best;
}

TileTransition Transition(TransitionFamily family, const TileCorners& corners,
                          const std::vector<int>& sheets, bool growsOpen) {
    TileTransition transition;
    transition.plain = false;
    transition.family = family;
    int openCorners = 0;
    for (int i = 0; i < 4; ++i) {
        openCorners |= IsOpenSide(family, corners[i]) ? 1 << i : 0;
    }
    transition.pattern = PatternOfCorners(openCorners);
    transition.sheets = &sheets;
    transition.growsOpen = growsOpen;
    return transition;
}

TileTransition Plain(int type) {
    TileTransition transition;
    transition.type = type;
    return transition;
}

}  // namespace

TransitionOptions TransitionOptions::Default() {
    return {{TERRAIN_TYPE_GRASS_OCEAN_A, TERRAIN_TYPE_GRASS_OCEAN_B}};
}

bool IsWaterType(int type) {
    return type == TERRAIN_TYPE_OCEAN || type == TERRAIN_TYPE_SHALLOW;
}

bool IsMountainType(int type) {
    return type >= TERRAIN_TYPE_MOUNTAIN_1 && type <= TERRAIN_TYPE_MOUNTAIN_3;
}

bool IsFamilyType(int type) {
    return IsCoastLand(type) || IsWaterType(type) || IsMountainType(type);
}

bool IsOpenSide(TransitionFamily family, int type) {
    switch (family) {
        case TransitionFamily::Coast:
            return !IsWaterType(type);
        case TransitionFamily::GrassDesert:
            return type == TERRAIN_TYPE_GRASS;
        case TransitionFamily::MountainFoot:
            return !IsMountainType(type);
        default:
            return false;
    }
}

PointPattern PatternOfCorners(int openCorners) {
    PointPattern pattern = 0;
    for (int i = 0; i < 4; ++i) {
        bool open = (openCorners >> i & 1) != 0;
        bool nextOpen = (openCorners >> ((i + 1) % 4) & 1) != 0;
        const int corner = kCornerDirections[i];
        // The midpoint clockwise after corner i lies between it and the next corner.
        const int midpoint = (corner + 1) % 8;
        pattern |= (open ? 1 << corner : 0) | (open || nextOpen ? 1 << midpoint : 0);
    }
    return pattern;
}

TileTransition TransitionOf(const TileCorners& corners, int currentType,
                            const TransitionOptions& options) {
    const bool uniform = std::all_of(corners.begin(), corners.end(),
                                     [&](uint8_t type) { return type == corners[0]; });
    if (uniform) {
        return Plain(corners[0]);
    }
    auto all = [&](auto test) { return std::all_of(corners.begin(), corners.end(), test); };
    auto any = [&](auto test) { return std::any_of(corners.begin(), corners.end(), test); };
    auto isWater = [](int type) { return IsWaterType(type); };
    if (all([](int type) { return IsCoastLand(type) || IsWaterType(type); }) && any(isWater) &&
        any(IsCoastLand)) {
        const int grass = static_cast<int>(
            std::count(corners.begin(), corners.end(), static_cast<uint8_t>(TERRAIN_TYPE_GRASS)));
        const int desert = static_cast<int>(
            std::count(corners.begin(), corners.end(), static_cast<uint8_t>(TERRAIN_TYPE_DESERT)));
        const bool isDesert = desert > grass;
        // An even split keeps the tile on the side it is on now.
        const bool nowLand = !IsWaterType(currentType);
        return Transition(TransitionFamily::Coast, corners,
                          isDesert ? kDesertCoast : options.coastSheets, nowLand);
    }
    if (all(IsCoastLand)) {
        return Transition(TransitionFamily::GrassDesert, corners, kGrassDesert, true);
    }
    auto isMountain = [](int type) { return IsMountainType(type); };
    if (any(isMountain) && any(IsLowGround) &&
        all([](int type) { return IsMountainType(type) || IsLowGround(type); })) {
        return Transition(TransitionFamily::MountainFoot, corners, kMountainFoot, true);
    }
    // Terrains that meet without a transition: the tile stays what it is where it is one of
    // them, and else takes the most of them.
    if (any([&](int type) { return type == currentType; })) {
        return Plain(currentType);
    }
    return Plain(MajorityOf(corners, currentType));
}

bool SidesOf(int transitionType, int& openType, int& closedType) {
    switch (transitionType) {
        case TERRAIN_TYPE_GRASS_OCEAN_A:
        case TERRAIN_TYPE_GRASS_OCEAN_B:
        case TERRAIN_TYPE_GRASS_OCEAN_C:
            openType = TERRAIN_TYPE_GRASS;
            closedType = TERRAIN_TYPE_OCEAN;
            return true;
        case TERRAIN_TYPE_DESERT_OCEAN:
            openType = TERRAIN_TYPE_DESERT;
            closedType = TERRAIN_TYPE_OCEAN;
            return true;
        case TERRAIN_TYPE_GRASS_DESERT:
            openType = TERRAIN_TYPE_GRASS;
            closedType = TERRAIN_TYPE_DESERT;
            return true;
        case TERRAIN_TYPE_MTN_TRANS:
            openType = TERRAIN_TYPE_GRASS;
            closedType = TERRAIN_TYPE_MOUNTAIN_1;
            return true;
        default:
            return false;
    }
}

TransitionFamily FamilyOfSheet(int type) {
    int open = 0;
    int closed = 0;
    if (!SidesOf(type, open, closed)) {
        return TransitionFamily::None;
    }
    if (IsWaterType(closed)) {
        return TransitionFamily::Coast;
    }
    return IsMountainType(closed) ? TransitionFamily::MountainFoot : TransitionFamily::GrassDesert;
}
