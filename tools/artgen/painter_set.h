#pragma once

#include <map>
#include <memory>

#include "cell_painter.h"
#include "relief_painter.h"

// One painter for every terrain type with a built-in sheet. The transition painters borrow the
// plain grounds of the types they join, so a coast meets the grass and ocean tiles beside it.
class CPainterSet {
  public:
    CPainterSet();

    // The painter of a type with a built-in sheet.
    const CCellPainter& For(int type) const { return *painters.at(type); }

  private:
    void AddTransitions(const CReliefPainter& lowMountains);

    std::map<int, std::unique_ptr<CCellPainter>> painters;
};
