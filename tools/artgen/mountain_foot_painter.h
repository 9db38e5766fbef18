#pragma once

#include "cell_painter.h"
#include "relief_painter.h"
#include "transition_mask.h"

// The mountain transition: low hills where the mask is positive, rock rising from a scree foot
// elsewhere. The rock is the low mountains' own ground with a massif of their kind in the middle
// of the cell (which comes down to that ground before the cell's edges), so it meets mountain
// tiles and the other cells of a stamp without a seam.
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
