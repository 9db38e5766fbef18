#pragma once

#include "cell_painter.h"
#include "tile_field.h"

// Desert: warm sand with wind ripples over low dunes lit from the top left; variants move the
// dunes and scatter pebbles, rocks and dry scrub.
class CDesertPainter : public CCellPainter {
  public:
    CDesertPainter();

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

  private:
    CArtImage Paint(const CTileField& duneField, const CTileField& toneField,
                    const CTileField& phaseField) const;

    CTileField dunes;
    CTileField tone;
    CTileField ripplePhase;
};
