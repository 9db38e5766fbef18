#pragma once

#include "editor/tools/map_tool.h"
#include "rivers/river_path.h"

// The River Brush, for the chosen river kind: the river follows the pointer from tile to tile
// and is drawn as it will be; the release makes it one step, Esc or the right button takes it
// back. With Ctrl held the drag erases the kind's river along the path instead.
class CRiverBrushTool : public CMapTool {
  public:
    using CMapTool::CMapTool;

    bool Press(QPoint tile, Qt::KeyboardModifiers keys) override;
    void Trace(QPointF at) override;
    void Release(QPoint tile) override;
    void Cancel() override;

  private:
    void Draw();

    TilePath path;
    QPointF last;
    bool erase = false;
    bool drawing = false;
};
