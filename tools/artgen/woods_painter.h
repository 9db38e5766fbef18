#pragma once

#include <cstdint>
#include <vector>

#include "cell_painter.h"
#include "tile_field.h"

// Woods: a closed canopy of round crowns over a dark floor, opened here and there by small
// glades of meadow. The crowns that cross an edge, and the glades on the edges, are the same in
// every variant and come back in across the opposite edge, so cells of woods continue each other
// like one forest; every other crown is the variant's own and may stand right up to an edge.
// Against open ground the woods end in crowns cut by the edge or only their tips, with meadow
// running in between them and into the glades, rather than one straight wall of trees.
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
    CArtImage Paint(uint64_t seed, const std::vector<Disc>& innerGlades) const;

    CArtImage meadow;
    CTileField floor;
    std::vector<Disc> rimGlades;
    std::vector<Disc> rim;
};
