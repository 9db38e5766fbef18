#pragma once

#include "cell_painter.h"
#include "relief_painter.h"
#include "transition_mask.h"

// The mountain transition: low hills where the mask is positive, rock rising from a scree foot
// elsewhere. The rock is a cell of the low mountains' range, sinking to its foot towards the
// hills; at the cell's edges the range is the ground all its cells share, so the rock meets
// mountain tiles and the other cells of a stamp without a seam.
class CMountainFootPainter : public CCellPainter {
  public:
    CMountainFootPainter(CTransitionMask mask, CArtImage hills, const CReliefPainter& mountains);

    CArtImage PaintCell(int cell) const override;
    CArtImage PaintGround() const override { return hills; }

  private:
    CTransitionMask mask;
    CArtImage hills;
    const CReliefPainter& mountains;
};
