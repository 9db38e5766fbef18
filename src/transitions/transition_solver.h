#pragma once

#include <utility>
#include <vector>

#include "edit/map_change.h"
#include "transitions/corner_field.h"
#include "transitions/transition_index.h"

class CRandom;
class CTileGrid;

// A tile to set: its type and exact request.
struct TilePick {
    int x = 0;
    int y = 0;
    int type = 0;
    int request = 0;
};

// What re-choosing tiles from their corners came to: the tiles to set (only those that change),
// the tiles that no cell fits and that took the nearest one, and how many corners gave way.
struct TransitionPlan {
    std::vector<TilePick> picks;
    std::vector<std::pair<int, int>> unfit;
    int cornersChanged = 0;
};

// Chooses the tiles of a rectangle from the corners around them: plain tiles where the corners
// agree, transition cells whose open points are the corners' where they differ. Where no cell
// of the allowed sheets has the corners' pattern (two corners set diagonally, or a combination a
// sheet lacks), a corner gives way to the tile's side, one corner at a time and each corner at
// most once, until every tile has a cell or no corner can move. Within a pattern it takes single
// cells first, a whole stamp where one fits, a stamp cell alone otherwise, at random.
class CTransitionSolver {
  public:
    CTransitionSolver(const CTileGrid& grid, const TransitionOptions& options);

    // Re-chooses the tiles of tiles, whose corners the field holds. The solve may change
    // corners inside the field, not on its rim where tiles lie beyond (they keep theirs), and not
    // marked fixed (painted by the brush or a fill: one flag a corner, in the field's order). A
    // tile whose four corners are fixed was painted over; other tiles of a terrain that has no
    // corners of its own (woods, farms) keep it where their corners agree.
    TransitionPlan Solve(CCornerField& corners, const TileRect& tiles,
                         const std::vector<bool>& fixedCorners, CRandom& random) const;

  private:
    struct Choice;
    bool Flexible(const CCornerField& field, const std::vector<bool>& fixed, int x, int y) const;
    // A corner of a tile to move (-1 for none), and how many tiles around it would then have
    // no cell.
    struct Move {
        int corner = -1;
        int unfit = 0;
    };
    // The corner of tile (x, y) to move to the open (or closed) side, where it becomes target.
    // The field is left as it was.
    Move CornerToMove(CCornerField& field, const std::vector<bool>& fixed, int x, int y,
                      TransitionFamily family, bool open, uint8_t target) const;
    void Grow(CCornerField& field, const TileRect& tiles, std::vector<bool>& fixed,
              std::vector<Choice>& choices, TransitionPlan& plan) const;
    void Pick(const TileRect& tiles, std::vector<Choice>& choices, CRandom& random,
              TransitionPlan& plan) const;
    bool PlaceWholeStamp(const TileRect& tiles, std::vector<Choice>& choices, int x, int y,
                         const TransitionCell& cell, TransitionPlan& plan) const;

    const CTileGrid& grid;
    TransitionOptions options;
    CTransitionIndex index;
};
