#include "editor/tools/river_brush_tool.h"

#include "editor/map_session.h"
#include "editor/tool_choice.h"
#include "mapfile/map_file.h"

bool CRiverBrushTool::Press(QPoint tile, Qt::KeyboardModifiers keys) {
    if (!choice.IsRiver()) {
        session.Notify("Choose a river kind in the palette to draw with the River Brush");
        return false;
    }
    erase = (keys & Qt::ControlModifier) != 0;
    path = {{tile.x(), tile.y()}};
    last = QPointF(tile) + QPointF(0.5, 0.5);
    drawing = true;
    Draw();
    return true;
}

void CRiverBrushTool::Trace(QPointF at) {
    const TilePath before = path;
    ExtendPath(path, last.x(), last.y(), at.x(), at.y());
    last = at;
    if (path != before) {
        Draw();
    }
}

void CRiverBrushTool::Release(QPoint) {
    drawing = false;
    session.Editor().EndRiver(true);
}

void CRiverBrushTool::Cancel() {
    if (drawing) {
        drawing = false;
        session.Editor().EndRiver(false);
    }
}

void CRiverBrushTool::Draw() {
    const RiverPlan plan = session.Editor().PreviewRiver(choice.Type(), path, erase);
    if (plan.unstorable) {
        session.Notify(QString::fromStdString(
            UnstorableRiverText(plan.unstorable->first, plan.unstorable->second)));
    }
}
