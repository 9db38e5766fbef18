#pragma once

#include "editor/tools/rect_drag_tool.h"

// Select Rect: the rectangle from the pressed tile to the released one becomes the selection,
// whatever the palettes have chosen.
class CSelectTool : public CRectDragTool {
  public:
    using CRectDragTool::CRectDragTool;

    void Release(QPoint tile) override;
};
