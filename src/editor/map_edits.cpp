// The editing operations of the map view: painting tiles, filling rectangles, stamps and
// river pieces.

#include <QStatusBar>
#include <algorithm>

#include "art/overview_picture.h"
#include "editor/editor_wnd.h"
#include "editor/main_frame.h"
#include "editor/map_view.h"
#include "editor/overview_wnd.h"
#include "model/builtin_tables.h"
#include "model/terrain_table.h"

namespace {

// A map file stores a river piece's tile in one byte per axis, and 255 ends its list.
constexpr int kFirstUnstorableRiverIndex = 255;

}  // namespace

int CMapView::RequestedSubtype() const {
    if (!editor.randomSubtype) {
        return editor.currentSubtype + 1;
    }
    return editor.currentSubtype < 40 ? kRandomFirstSet : kRandomSecondSet;
}

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

void CMapView::ShowTileChange(int col, int row) {
    const CTile* tile = frame.grid.GetTileAtConst(col, row);
    UpdateOverviewTile(frame.art, frame.overviewPicture, tile->type, tile->subtype, col, row);
    editor.Overview()->InvalidateTiles(QRect(col, row, 1, 1));
}

void CMapView::PaintTile(int col, int row) {
    if (frame.grid.SetTile(editor.currentType, RequestedSubtype(), col, row)) {
        ShowTileChange(col, row);
        frame.UpdateFrameState();
    }
    InvalidateTile(col, row);
}

void CMapView::FillTileRect(int left, int top, int right, int bottom) {
    // Tiles outside the map would be refused one by one; skip them at once.
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, frame.grid.GetWidth());
    bottom = std::min(bottom, frame.grid.GetHeight());
    if (left >= right || top >= bottom) {
        return;
    }
    frame.grid.FillRect(editor.currentType, RequestedSubtype(), left, top, right, bottom);
    UpdateOverviewRect(frame.art, frame.overviewPicture, left, top, right, bottom);
    editor.Overview()->InvalidateTiles(QRect(left, top, right - left, bottom - top));
    InvalidateTileRect(left, top, right, bottom);
    frame.UpdateFrameState();
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
        if (frame.grid.SetTile(editor.currentType, cell + 1, x, y)) {
            ShowTileChange(x, y);
        }
        InvalidateTile(x, y);
    }
    frame.UpdateFrameState();
}

void CMapView::RiverEdit(int col, int row, Qt::KeyboardModifiers keys) {
    if (!frame.grid.Contains(col, row)) {
        return;
    }
    int kind = editor.currentType;
    int cell = editor.currentSubtype;
    if (keys & Qt::ControlModifier) {
        frame.grid.RemoveLastOverlay(col, row);
    } else if (col >= kFirstUnstorableRiverIndex || row >= kFirstUnstorableRiverIndex) {
        frame.ShowStatusMessage(
            QString("No river on X: %1, Y: %2: map files hold rivers only on tiles whose X and Y "
                    "are below 255")
                .arg(col)
                .arg(row));
        return;
    } else if (keys & Qt::ShiftModifier) {
        frame.grid.AddOverlay(col, row, kind, cell);
    } else {
        frame.grid.SetLastOverlay(col, row, kind, cell);
    }
    frame.grid.modified = true;
    InvalidateTile(col, row);
    frame.UpdateFrameState();
}
