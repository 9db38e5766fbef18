#pragma once

#include <cstdint>

#include "cell_painter.h"
#include "tile_field.h"

// Grass: a meadow green with soft lighter and yellower patches; variants add shrubs.
class CGrassPainter : public CCellPainter {
  public:
    CGrassPainter();

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

  private:
    CArtImage Paint(const CTileField& patchField, const CTileField& tintField,
                    const CTileField& textureField, uint32_t grainSeed) const;

    CTileField patches;
    CTileField tint;
    CTileField texture;
};
