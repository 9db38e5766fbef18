#pragma once

#include <optional>

#include "art_random.h"
#include "cell_painter.h"
#include "mountain_range.h"
#include "relief_style.h"
#include "tile_field.h"

// Hills and mountains: a height field lit from the top left. The ground near the edges is shared
// by all variants of a type; each variant raises its own hills, or its own part of a mountain
// range (see CMountainRange). Hills may stand on a meadow, another type's plain ground, so that
// they meet that type without a seam.
class CReliefPainter : public CCellPainter {
  public:
    explicit CReliefPainter(const ReliefStyle& style, std::optional<CArtImage> meadow = {});

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override;

    // The heights every variant shows near its edges.
    const CTileField& Ground() const { return ground; }
    // Lights and colours any height field in this type's look, with ice in its valleys for a
    // glacier.
    CArtImage Shade(const CTileField& heights, bool glacier = false) const;
    // What a variant raises above the ground, coming down to nothing at the cell's edges: its
    // part of the range, or its hills.
    CTileField Raised(uint32_t seed) const;

  private:
    CTileField GroundHeights(uint32_t seed) const;
    CTileField Hills(CArtRandom& random) const;
    Point Slope(const CTileField& heights, int x, int y) const;
    float LightAt(const CTileField& heights, int x, int y) const;
    Rgb Lit(Rgb colour, float shade) const;
    Rgb GroundColour(float height, int x, int y) const;
    Rgb ColourAt(const CTileField& heights, int x, int y, bool glacier) const;

    const ReliefStyle& style;
    std::optional<CArtImage> meadow;
    std::optional<CMountainRange> range;  // for mountains
    CTileField ground;
    CTileField texture;
    CTileField crevasses;
};
