#pragma once

#include <cstdint>
#include <vector>

#include "cell_painter.h"
#include "tile_field.h"

// Woods: a closed canopy of round crowns over a dark floor. Crowns near the edges are shared by
// every variant (and cross the edges, continuing in the next tile); the middle is each variant's
// own, sometimes with a small clearing.
class CWoodsPainter : public CCellPainter {
  public:
    CWoodsPainter();

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

    struct Tree {
        float x;
        float y;
        float radius;
    };

  private:
    CArtImage PaintFloor(const CTileField& clearing) const;
    static void DrawTrees(CArtImage& image, std::vector<Tree> trees);

    std::vector<Tree> edgeTrees;
    std::vector<Tree> allTrees;
    CTileField floor;
};
