#pragma once

#include "editor/tools/map_tool.h"

// Paste, once Paste was chosen: the view frames the copied block under the pointer, and a click
// places it there and selects it.
class CPasteTool : public CMapTool {
  public:
    using CMapTool::CMapTool;

    bool Press(QPoint tile, Qt::KeyboardModifiers keys) override;
    void Cancel() override;
    // The block's frame is the only one shown.
    std::vector<QPoint> OutlineAt(QPoint) const override { return {}; }
};
