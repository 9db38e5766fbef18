#pragma once

#include <cstdint>
#include <vector>

#include "cell_painter.h"
#include "tile_field.h"

// Woods: a closed canopy of round crowns over a dark floor, opened here and there by small
// glades of meadow in the middle of a cell. The crowns that cross an edge are the same in every
// variant and come back in across the opposite edge, so cells of woods continue each other like
// one forest; every other crown is the variant's own and may stand right up to an edge. Against
// open ground the woods end in crowns cut by the edge or only their tips, rather than one
// straight wall of trees.
class CWoodsPainter : public CCellPainter {
  public:
    explicit CWoodsPainter(CArtImage meadow);

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

    // A crown, or a glade (a disc of meadow).
    struct Disc {
        float x;
        float y;
        float radius;
    };

  private:
    CArtImage Paint(uint64_t seed, const std::vector<Disc>& glades) const;

    CArtImage meadow;
    CTileField floor;
    std::vector<Disc> rim;
};
