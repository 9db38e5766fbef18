#pragma once

#include "editor/tile_rects.h"
#include "editor/tools/map_tool.h"

// A tool that drags out a rectangle of tiles from the pressed one, shown with a band; what
// becomes of the rectangle at the release is the tool's.
class CRectDragTool : public CMapTool {
  public:
    using CMapTool::CMapTool;

    bool Press(QPoint tile, Qt::KeyboardModifiers) override {
        anchor = tile;
        return true;
    }
    QRect BandAt(QPoint tile) const override { return TilesBetween(anchor, tile); }

  private:
    QPoint anchor;
};
