#pragma once

#include "art_random.h"
#include "cell_painter.h"
#include "relief_style.h"
#include "tile_field.h"

// Hills and mountains: a height field lit from the top left. The ground near the edges is shared
// by all variants of a type; each variant raises its own hills or peaks in the middle.
class CReliefPainter : public CCellPainter {
  public:
    explicit CReliefPainter(const ReliefStyle& style);

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

    // The heights every variant shows near its edges.
    const CTileField& Ground() const { return ground; }
    // Lights and colours any height field in this type's look.
    CArtImage Shade(const CTileField& heights) const;
    // What a variant raises above the ground: a massif that comes down to nothing before the
    // cell's edges, or soft hills.
    CTileField Raised(uint32_t seed) const;

  private:
    CTileField GroundHeights(uint32_t seed) const;
    CTileField Hills(CArtRandom& random) const;
    CTileField Mountain(CArtRandom& random, uint32_t seed) const;
    float LightAt(const CTileField& heights, int x, int y) const;
    Rgb Lit(Rgb colour, float shade) const;
    Rgb ColourAt(const CTileField& heights, int x, int y) const;

    const ReliefStyle& style;
    CTileField ground;
    CTileField texture;
};
