#pragma once

#include "art_random.h"
#include "cell_painter.h"
#include "tile_field.h"

// Suburb: one block of houses with gardens, framed by half a street on every side, so that
// neighbouring suburb tiles form a street grid. Variants change the houses, roofs, gardens and
// trees; a few hold a park or a larger building.
class CSuburbPainter : public CCellPainter {
  public:
    CSuburbPainter();

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

  private:
    CArtImage PaintStreetsAndLawn() const;
    static void AddHouseRows(CArtImage& image, CArtRandom& random);
    static void AddGardens(CArtImage& image, CArtRandom& random, int trees);
    static void AddPark(CArtImage& image, CArtRandom& random);

    CTileField texture;
};
