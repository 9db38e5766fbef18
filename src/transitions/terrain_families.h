#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The families of terrains whose meeting the transition sheets draw, in one place: land and
// water (grass or desert against ocean or shallows, on the Grass-Ocean and Desert-Ocean
// sheets), grass and desert (Grass-Desert), and low ground and mountains (Mountain Trans: Low,
// Med and High Mountain against every other land type). On every sheet the exit masks mark the
// boundary points of the "open" side: the land, the grass, the low ground.

// A tile's 8 boundary points as exit directions: bit d set where point d lies on the open side
// (0 top edge, 1 top-right corner, ... 7 top-left corner, clockwise).
using PointPattern = uint8_t;
inline constexpr PointPattern kAllOpen = 0xFF;

// A tile's corners in the order top-left, top-right, bottom-right, bottom-left.
using TileCorners = std::array<uint8_t, 4>;
inline constexpr int kCornerDirections[4] = {7, 1, 3, 5};

// The coast sheets a designer lets the brush and Fix Transitions use for grass against water.
struct TransitionOptions {
    std::vector<int> coastSheets;
    // Grass-Ocean A and B, which carry the same resources.
    static TransitionOptions Default();
};

// The types whose meetings the corners carry: painted with the terrain brush, they make their
// transitions by themselves.
bool IsFamilyType(int type);
bool IsWaterType(int type);
bool IsMountainType(int type);

enum class TransitionFamily { None, Coast, GrassDesert, MountainFoot };

// Whether a corner of type lies on the family's open side: land, grass, low ground.
bool IsOpenSide(TransitionFamily family, int type);

// What four corners make of a tile: a plain type, or a transition cell of one of the sheets
// with the open points of pattern.
struct TileTransition {
    bool plain = true;
    TransitionFamily family = TransitionFamily::None;
    int type = 0;  // the plain type
    PointPattern pattern = 0;
    const std::vector<int>* sheets = nullptr;  // for a transition
    // For a corner that no cell fits: the side the tile gives way to, open or closed.
    bool growsOpen = false;
};

// The tile that corners make, given what the tile is now (it keeps its type where its corners
// meet without a family, or split evenly among plain types). Edge midpoints are open where
// either of their corners is.
TileTransition TransitionOf(const TileCorners& corners, int currentType,
                            const TransitionOptions& options);

// The pattern of four corners that are open (bit i for corner i), midpoints open where either
// corner is.
PointPattern PatternOfCorners(int openCorners);

// For reading corners back from a tile: the type a transition tile shows on its open and on its
// closed side; false for a type that is no transition sheet.
bool SidesOf(int transitionType, int& openType, int& closedType);
// The family whose meetings a transition sheet draws; None for a type that is no sheet.
TransitionFamily FamilyOfSheet(int type);
