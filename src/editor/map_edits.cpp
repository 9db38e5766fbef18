// The editing operations of the map view: painting tiles, filling rectangles, stamps and
// river pieces.

#include <QStatusBar>
#include <algorithm>

#include "editor/editor_wnd.h"
#include "editor/main_frame.h"
#include "editor/map_view.h"
#include "model/builtin_tables.h"
#include "model/terrain_table.h"

namespace {

// A map file stores a river piece's tile in one byte per axis, and 255 ends its list.
constexpr int kFirstUnstorableRiverIndex = 255;

}  // namespace

const StampGroupRow* CMapView::StampTable() const {
    const CTerrainType* record = theTerrainTable.FindRecord(editor.currentType);
    return record ? StampGroupTable(record->stampTable) : nullptr;
}

int CMapView::StampGroup() const {
    const StampGroupRow* table = StampTable();
    if (table == nullptr || editor.currentSubtype < 0 || editor.currentSubtype >= kSheetCells) {
        return 0;
    }
    return (*table)[editor.currentSubtype];
}

void CMapView::PaintTile(int col, int row) {
    frame.mapEditor.PaintTile(editor.currentType, editor.RequestedSubtype(), col, row);
}

void CMapView::FillTileRect(int left, int top, int right, int bottom) {
    frame.mapEditor.FillRect(editor.currentType, editor.RequestedSubtype(),
                             {left, top, right, bottom});
}

void CMapView::Stamp(int col, int row) {
    int selected = editor.currentSubtype;
    int group = StampGroup();
    const StampGroupRow& table = *StampTable();
    for (int cell = 0; cell < kSheetCells; ++cell) {
        if (table[cell] != group) {
            continue;
        }
        // The stamp keeps the cells' places on the sheet, the selected cell on the clicked tile.
        int x = col + cell % 9 - selected % 9;
        int y = row + cell / 9 - selected / 9;
        frame.mapEditor.PaintTile(editor.currentType, cell + 1, x, y);
    }
}

void CMapView::RiverEdit(int col, int row, Qt::KeyboardModifiers keys) {
    if (!frame.grid.Contains(col, row)) {
        return;
    }
    using Action = CMapEditor::RiverAction;
    if (keys & Qt::ControlModifier) {
        frame.mapEditor.EditRiver(Action::RemoveTop, col, row, 0, 0);
        return;
    }
    if (col >= kFirstUnstorableRiverIndex || row >= kFirstUnstorableRiverIndex) {
        frame.ShowStatusMessage(
            QString("No river on X: %1, Y: %2: map files hold rivers only on tiles whose X and Y "
                    "are below 255")
                .arg(col)
                .arg(row));
        return;
    }
    frame.mapEditor.EditRiver(keys & Qt::ShiftModifier ? Action::Add : Action::Replace, col, row,
                              editor.currentType, editor.currentSubtype);
}
