#pragma once

#include <cstdint>
#include <vector>

#include "cell_painter.h"
#include "point.h"
#include "tile_field.h"

// Woods: a closed canopy of round crowns over a dark floor. The canopy ends in a rim of single
// trees that keep to the cell, none crossing an edge, set back from it by different amounts
// over a floor that turns towards the meadow, so that woods against open ground end in a ragged
// line of crowns and shadows rather than one cut straight along the edge. The rim is shared by
// every variant, so cells of woods meet each other alike; the middle is each variant's own,
// sometimes with a small clearing.
class CWoodsPainter : public CCellPainter {
  public:
    explicit CWoodsPainter(CArtImage meadow);

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

    struct Tree {
        float x;
        float y;
        float radius;
    };

  private:
    void PlantRim();
    CArtImage PaintFloor(const CTileField& clearing) const;
    static void DrawTrees(CArtImage& image, std::vector<Tree> trees);
    // The canopy inside the rim, as variant `seed` grows it, keeping clear of a clearing.
    std::vector<Tree> Inner(uint64_t seed, Point clearing, float clearingRadius) const;

    CArtImage meadow;
    std::vector<Tree> rim;
    CTileField floor;
};
