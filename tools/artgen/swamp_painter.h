#pragma once

#include "cell_painter.h"
#include "tile_field.h"

// Swamp: dark wet meadow broken by pools of murky water with muddy rims, and tufts of reeds.
// Variants reshape the pools in the middle of the tile.
class CSwampPainter : public CCellPainter {
  public:
    CSwampPainter();

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

  private:
    CArtImage Paint(const CTileField& poolField) const;

    CTileField pools;
    CTileField moss;
};
