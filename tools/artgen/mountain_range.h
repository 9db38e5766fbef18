#pragma once

#include <cstdint>
#include <vector>

#include "art_random.h"
#include "point.h"
#include "relief_style.h"
#include "tile_field.h"

// The heights of a mountain type's cells: a country of branching rock crests, broken by the
// valleys between them, with peaks of different sizes standing on the crests. The crests near a
// cell's edges are the same in every cell, and so run on from each cell into the next; inside,
// every cell has crests of its own and up to three peaks of its own, placed where its crests run
// highest. A block of cells thus reads as one range, without a grid of bumps.
class CMountainRange {
  public:
    explicit CMountainRange(const ReliefStyle& style);

    // The heights every cell shows near its edges, which are also the type's plain ground.
    const CTileField& Shared() const { return shared; }
    // The heights of one cell.
    CTileField Cell(uint32_t seed) const;

  private:
    // A peak with plane faces: the summit stands over a ring of foot points, and each face
    // between two neighbouring foot points slopes straight down from the summit to the foot.
    // Faces turned to the light and away from it are what makes a peak read as one at a glance.
    struct Peak {
        Point summit;
        float height;
        std::vector<Point> foot;  // around the summit by angle

        float At(Point p) const;
    };

    CTileField Country(const CTileField& crests) const;
    std::vector<Peak> Peaks(const CTileField& country, CArtRandom& random) const;

    const ReliefStyle& style;
    CTileField sharedCrests;
    CTileField shared;
};
