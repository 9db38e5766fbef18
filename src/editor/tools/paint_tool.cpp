#include "editor/tools/paint_tool.h"

#include "editor/map_session.h"
#include "editor/tool_choice.h"

bool CPaintTool::Press(QPoint tile, Qt::KeyboardModifiers) {
    if (!choice.HasArtIn(session.Art())) {
        return false;
    }
    CMapEditor& editor = session.Editor();
    editor.BeginStroke("Paint Terrain");
    stamping = choice.StampGroup() != 0;
    if (!stamping) {
        editor.PaintTile(choice.Type(), choice.RequestedSubtype(), tile.x(), tile.y());
        return true;
    }
    for (const StampTile& part : StampAt(tile)) {
        editor.PaintTile(choice.Type(), part.cell + 1, part.tile.x(), part.tile.y());
    }
    return true;
}

void CPaintTool::Move(QPoint tile) {
    // Stamps go down only where the button was pressed.
    if (!stamping) {
        session.Editor().PaintTile(choice.Type(), choice.RequestedSubtype(), tile.x(), tile.y());
    }
}

void CPaintTool::Release(QPoint) {
    session.Editor().EndStroke();
}

void CPaintTool::Cancel() {
    session.Editor().EndStroke();
}

std::vector<QPoint> CPaintTool::OutlineAt(QPoint tile) const {
    if (choice.StampGroup() == 0) {
        return {tile};
    }
    std::vector<QPoint> tiles;
    for (const StampTile& part : StampAt(tile)) {
        tiles.push_back(part.tile);
    }
    return tiles;
}

std::vector<CPaintTool::StampTile> CPaintTool::StampAt(QPoint tile) const {
    const StampGroupRow& table = *choice.StampTable();
    const int group = choice.StampGroup();
    const int selected = choice.Cell();
    std::vector<StampTile> parts;
    for (int cell = 0; cell < kSheetCells; ++cell) {
        if (table[cell] == group) {
            parts.push_back({cell, tile + QPoint(cell % kSheetColumns - selected % kSheetColumns,
                                                 cell / kSheetColumns - selected / kSheetColumns)});
        }
    }
    return parts;
}
