#pragma once

#include <vector>

#include "art_random.h"
#include "cell_painter.h"
#include "tile_field.h"

// Farmland: a patchwork of fields (ripe grain, young crops, ploughed soil, pasture) with rows in
// either direction, hedges between them and along the tile's right and bottom edges, and here and
// there a farmstead. The hedge on the tile's edges is the same in every variant, so farms tile
// without seams.
class CFarmPainter : public CCellPainter {
  public:
    CFarmPainter();

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

    struct Field {
        int x0;
        int y0;
        int x1;
        int y1;
    };

  private:
    void PaintField(CArtImage& image, const Field& field, CArtRandom& random) const;
    void PaintBorders(CArtImage& image, const Field& field, CArtRandom& random) const;
    void PaintHedges(CArtImage& image) const;

    CTileField texture;
};
