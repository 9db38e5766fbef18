#pragma once

#include <vector>

#include "art_image.h"
#include "river_outline.h"
#include "stacked_water.h"

// Draws the river pieces: water shaded by depth inside a one- or two-pixel bank. Pixels the
// river does not cover keep the background: the magenta key for the overlay pieces, a ground for
// the custom river sheet. No pixel is blended with the background, so the key stays exact.
// Where a piece stacked on the same tile may bring its own water (see CStackedWater), the bank
// gives way, so that stacked pieces merge into one body of water.
class CRiverPiecePainter {
  public:
    enum Kind { kWide, kNarrow };

    explicit CRiverPiecePainter(Kind kind);

    // Piece n, 0 to 80, on the magenta key.
    CArtImage Paint(int n) const;
    // Piece n drawn over a 50 x 50 ground.
    CArtImage PaintOver(int n, CArtImage ground) const;

  private:
    // What piece n covers at each pixel.
    enum class Cover : uint8_t { kNothing, kWater, kBank };
    std::vector<Cover> Covered(int n) const;

    Rgb WaterColour(float depth, int x, int y) const;
    Rgb BankColour(float clearance) const;

    RiverWidth width;
    std::vector<CRiverOutline> outlines;
    CStackedWater stacked;
};
