#pragma once

#include <vector>

#include "art_set.h"
#include "painter_set.h"

// Makes all built-in art: the terrain sheets, the river pieces and the overview colours.
class CArtGenerator {
  public:
    CArtSet Generate() const;

  private:
    // One sheet and the overview colours of its cells with art.
    struct Sheet {
        CArtImage image;
        std::vector<Rgb> colours;
    };

    Sheet PaintSheet(int type) const;
    CArtImage PaintSheetCell(int type, int cell) const;
    static std::vector<CArtImage> PaintRiverPieces(bool wide);

    CPainterSet painters;
};
