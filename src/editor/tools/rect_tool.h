#pragma once

#include "editor/tools/rect_drag_tool.h"

// Rect of Terrain: the rectangle from the pressed tile to the released one, shown with a band
// while dragging, is filled with the chosen cell.
class CRectTool : public CRectDragTool {
  public:
    using CRectDragTool::CRectDragTool;

    bool Press(QPoint tile, Qt::KeyboardModifiers keys) override;
    void Release(QPoint tile) override;
};
