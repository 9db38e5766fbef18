#pragma once

#include "art_image.h"

// Paints the 50 x 50 cells of one terrain type's sheet.
class CCellPainter {
  public:
    virtual ~CCellPainter() = default;

    // A cell with art of its own.
    virtual CArtImage PaintCell(int cell) const = 0;
    // The type's plain ground, for the cells of a sheet beyond its art.
    virtual CArtImage PaintGround() const = 0;
};
