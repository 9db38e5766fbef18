#pragma once

#include "cell_painter.h"
#include "river_piece_painter.h"

// The custom river sheet: cell n is wide river piece n laid into grass, so its cells connect
// with each other and with the overlay pieces at the same edge midpoints.
class CRiverSheetPainter : public CCellPainter {
  public:
    explicit CRiverSheetPainter(CArtImage grass)
        : grass(std::move(grass)), river(CRiverPiecePainter::kWide) {}

    CArtImage PaintCell(int cell) const override { return river.PaintOver(cell, grass); }
    CArtImage PaintGround() const override { return grass; }

  private:
    CArtImage grass;
    CRiverPiecePainter river;
};
