#pragma once

#include "art_image.h"

// Draws the river pieces: water shaded by depth inside a one- or two-pixel bank. Pixels the
// river does not cover keep the background: the magenta key for the overlay pieces, a ground for
// the custom river sheet. No pixel is blended with the background, so the key stays exact.
class CRiverPiecePainter {
  public:
    enum Kind { kWide, kNarrow };

    explicit CRiverPiecePainter(Kind kind);

    // Piece n, 0 to 80, on the magenta key.
    CArtImage Paint(int n) const;
    // Piece n drawn over a 50 x 50 ground.
    CArtImage PaintOver(int n, CArtImage ground) const;

  private:
    Rgb WaterColour(float depth, int x, int y) const;
    Rgb BankColour(float clearance) const;

    float halfWidth;
    float bankWidth;
};
