#pragma once

#include <cstdint>

#include "cell_painter.h"
#include "tile_field.h"

// Open water: the dark blue-green ocean with short strokes of wave crests, or the lighter shallows
// over a sandy bottom. Variants move the crests and the patches of the bottom.
class CWaterPainter : public CCellPainter {
  public:
    enum Depth { kOcean, kShallows };

    explicit CWaterPainter(Depth depth);

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

  private:
    CArtImage Paint(const CTileField& bottomField, const CTileField& crestField) const;

    Depth depth;
    uint32_t seed;
    CTileField bottom;
    CTileField crests;
};
