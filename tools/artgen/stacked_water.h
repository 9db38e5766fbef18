#pragma once

#include <map>
#include <vector>

#include "river_outline.h"

// The water that other river pieces may put on a tile together with a given piece. Designers
// stack runs to make forks and crossings, and narrow streams on wide rivers to make tributaries;
// a piece must not draw its bank over the water of such a partner, or the stack shows a bank
// line across the river instead of one joined body of water. The partners of a piece are the
// runs of its own kind and of the wide kind whose exits differ from its own.
class CStackedWater {
  public:
    // The outlines of every piece of the kind being painted, and of the wide kind when that is
    // another (empty for the wide kind itself).
    CStackedWater(const std::vector<CRiverOutline>& own, const std::vector<CRiverOutline>& wide);

    // Per pixel, the smallest clearance of piece n's partners: below 0 some partner has water
    // there.
    const CTileField& Partners(int n) const;

  private:
    std::map<uint8_t, CTileField> byExits;  // the partners of the pieces with these exits
};
