#include "editor/tool_choice.h"

#include <algorithm>

#include "art/map_art.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"

namespace {

// The cells with art in each built-in sheet, by type number; the sheets of the types that are
// not offered count as full.
int BuiltInCellCount(int type) {
    switch (type) {
        case TERRAIN_TYPE_SUBURB:
        case TERRAIN_TYPE_DESERT:
        case TERRAIN_TYPE_GRASS:
        case TERRAIN_TYPE_WOODS:
        case TERRAIN_TYPE_SHALLOW:
        case TERRAIN_TYPE_OCEAN:
            return 10;
        case TERRAIN_TYPE_FARM:
            return 33;
        default:
            return kSheetCells;
    }
}

}  // namespace

EditTool CToolChoice::ActiveTool() const {
    if (pasting) {
        return EditTool::Paste;
    }
    const bool terrainTool = tool != EditTool::SelectRect && tool != EditTool::RiverBrush;
    return river && terrainTool ? EditTool::River : tool;
}

void CToolChoice::SelectType(int terrainType) {
    type = terrainType;
    river = false;
    cell = 0;
    emit changed();
}

void CToolChoice::SelectRiver(int kind) {
    type = kind;
    river = true;
    cell = 0;
    emit changed();
}

void CToolChoice::SelectCell(int newCell) {
    cell = newCell;
    emit changed();
}

void CToolChoice::SetRandomSubtype(bool on) {
    randomSubtype = on;
    emit changed();
}

void CToolChoice::SetTool(EditTool newTool) {
    tool = newTool;
    emit changed();
}

void CToolChoice::SetBrushSize(int tiles) {
    brushSize = tiles;
    emit changed();
}

void CToolChoice::SetCoastSheet(int sheet, bool use) {
    std::vector<int>& sheets = transitions.coastSheets;
    auto found = std::find(sheets.begin(), sheets.end(), sheet);
    if (use && found == sheets.end()) {
        sheets.push_back(sheet);
        std::sort(sheets.begin(), sheets.end());
    } else if (!use && found != sheets.end() && sheets.size() > 1) {
        sheets.erase(found);
    }
    emit changed();
}

void CToolChoice::SetClipboard(CTileBlock block) {
    clipboard = std::move(block);
    emit changed();
}

void CToolChoice::StartPaste() {
    if (!clipboard.IsEmpty()) {
        pasting = true;
        emit changed();
    }
}

void CToolChoice::EndPaste() {
    if (pasting) {
        pasting = false;
        emit changed();
    }
}

int CToolChoice::RequestedSubtype() const {
    if (!randomSubtype) {
        return cell + 1;
    }
    return cell < 40 ? kRandomFirstSet : kRandomSecondSet;
}

bool CToolChoice::CanPickRandomSubtype() const {
    const CTerrainType* record = theTerrainTable.FindRecord(type);
    return record && record->subtypeCount != 0;
}

bool CToolChoice::HasArtIn(const CMapArt& art) const {
    return river || !IsCustomType(type) || art.CustomArtFor(type)->loaded;
}

int CToolChoice::CellCount() const {
    return river || IsCustomType(type) ? kSheetCells : BuiltInCellCount(type);
}

const StampGroupRow* CToolChoice::StampTable() const {
    const CTerrainType* record = theTerrainTable.FindRecord(type);
    return record && !river ? StampGroupTable(record->stampTable) : nullptr;
}

int CToolChoice::StampGroup() const {
    const StampGroupRow* table = StampTable();
    return table != nullptr && cell >= 0 && cell < kSheetCells ? (*table)[cell] : 0;
}
