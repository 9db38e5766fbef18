#pragma once

#include <array>
#include <vector>

#include "transitions/terrain_families.h"

// A cell of a transition sheet, and the stamp (group of neighbouring cells placed together) it
// belongs to; 0 for a single cell.
struct TransitionCell {
    int type = 0;
    int cell = 0;
    int stampGroup = 0;
};

// Which cells of the transition sheets show which pattern of open boundary points, from the
// types' exit tables and stamp tables in theTerrainTable. Cells whose points are all on one side
// are left out: plain tiles stand for those.
class CTransitionIndex {
  public:
    CTransitionIndex();

    // The cells of sheet type with exactly this pattern: single cells first.
    const std::vector<TransitionCell>& CellsOf(int type, PointPattern pattern) const;
    // The pattern of a cell of a transition sheet.
    PointPattern PatternOf(int type, int cell) const;
    // The cells of a stamp of sheet type.
    const std::vector<int>& StampCells(int type, int stampGroup) const;
    // The sheet's pattern nearest to pattern (fewest points on the other side), for a tile that
    // no cell fits.
    TransitionCell Nearest(int type, PointPattern pattern) const;
    // Whether any cell of the sheets shows pattern.
    bool Fits(const std::vector<int>& types, PointPattern pattern) const;

  private:
    struct Sheet {
        int type = -1;
        std::array<uint8_t, 81> masks{};
        std::array<uint8_t, 81> stamps{};
        std::array<std::vector<TransitionCell>, 256> byPattern;
        std::array<std::vector<int>, 256> stampCells;  // by stamp group
    };
    const Sheet* SheetOf(int type) const;

    std::vector<Sheet> sheets;
};
