#pragma once

#include "cell_painter.h"
#include "transition_mask.h"

// A transition sheet between two flat terrains: grass or desert against the ocean, with a beach
// or a strip of wet sand and lighter water along the shore, or grass fading into desert. Where
// the mask is positive the cell shows `open` (the land, or the grass), elsewhere `closed`.
class CCoastPainter : public CCellPainter {
  public:
    enum Shore { kBeach, kWetSand, kGrassEdge };

    CCoastPainter(CTransitionMask mask, CArtImage open, CArtImage closed, Shore shore);

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override { return open; }

  private:
    // d: distance in pixels from the shore, positive on land.
    Rgb ShoreColour(float d, int x, int y) const;
    Rgb WaterColour(float d, int x, int y) const;
    Rgb BlendColour(float d, int x, int y) const;

    CTransitionMask mask;
    CArtImage open;
    CArtImage closed;
    Shore shore;
};
