#include "editor/tools/river_tool.h"

#include "editor/map_session.h"
#include "editor/tool_choice.h"
#include "mapfile/map_file.h"

bool CRiverTool::Press(QPoint tile, Qt::KeyboardModifiers keys) {
    using Action = CMapEditor::RiverAction;
    Action action = keys & Qt::ControlModifier ? Action::RemoveTop
                    : keys & Qt::ShiftModifier ? Action::Add
                                               : Action::Replace;
    if (!session.Editor().EditRiver(action, tile.x(), tile.y(), choice.Type(), choice.Cell()) &&
        session.Grid().Contains(tile.x(), tile.y())) {
        session.Notify(QString::fromStdString(UnstorableRiverText(tile.x(), tile.y())));
    }
    return true;
}
