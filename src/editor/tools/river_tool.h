#pragma once

#include "editor/tools/map_tool.h"

// The river tool, while a river kind is chosen: a click replaces the piece on top of the tile
// with the chosen one, Shift+click adds it on top, Ctrl+click removes the top piece.
class CRiverTool : public CMapTool {
  public:
    using CMapTool::CMapTool;

    bool Press(QPoint tile, Qt::KeyboardModifiers keys) override;
};
