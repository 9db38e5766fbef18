#include "edit/map_editor.h"

#include <algorithm>

#include "art/overview_picture.h"
#include "edit/city_art_edit.h"
#include "edit/custom_art_edit.h"
#include "edit/exit_mask_edit.h"
#include "edit/miles_edit.h"
#include "edit/terrain_record_edit.h"
#include "model/terrain_table.h"

namespace {

// A map file stores a river piece's tile in one byte per axis, and 255 ends its list.
constexpr int kFirstUnstorableRiverIndex = 255;

const char* RiverStepName(CMapEditor::RiverAction action) {
    switch (action) {
        case CMapEditor::RiverAction::Add:
            return "Add River";
        case CMapEditor::RiverAction::RemoveTop:
            return "Remove River";
        default:
            return "Replace River";
    }
}

}  // namespace

CMapEditor::CMapEditor(CMapArt& art, CDibImage& overview)
    : art(art), overview(overview), target{art, overview} {}

void CMapEditor::StartHistory(bool matchesFile) {
    stroke.reset();
    history.Clear(matchesFile);
    FollowHistory();
}

void CMapEditor::MarkSaved() {
    history.MarkClean();
    FollowHistory();
    Tell({});
}

void CMapEditor::BeginStroke(const std::string& name) {
    EndStroke();
    stroke = std::make_unique<CTileEdit>(name);
    strokeSetTiles = false;
}

bool CMapEditor::PaintTile(int type, int request, int x, int y) {
    CTileGrid& grid = art.Grid();
    if (!grid.Contains(x, y)) {
        return false;
    }
    if (!stroke) {
        BeginStroke("Paint Terrain");
    }
    stroke->KeepTile(grid, x, y, false);
    grid.SetTile(type, request, x, y);
    strokeSetTiles = true;
    const CTile& tile = *grid.GetTileAt(x, y);
    UpdateOverviewTile(art, overview, tile.type, tile.subtype, x, y);
    MapChange change;
    change.tiles.push_back({x, y, x + 1, y + 1});
    Tell(change);
    return true;
}

void CMapEditor::EndStroke() {
    if (!stroke) {
        return;
    }
    std::unique_ptr<CTileEdit> done = std::move(stroke);
    if (!strokeSetTiles) {
        return;
    }
    done->Finish(art.Grid());
    Record(std::move(done), false);  // its tiles were told as they were painted
}

void CMapEditor::FillRect(int type, int request, const TileRect& area) {
    EndStroke();
    CTileGrid& grid = art.Grid();
    const TileRect rect = ClipToGrid(grid, area);
    if (rect.IsEmpty()) {
        return;
    }
    auto edit = std::make_unique<CTileEdit>("Rect of Terrain");
    edit->KeepRect(grid, rect, false);
    grid.FillRect(type, request, rect.left, rect.top, rect.right, rect.bottom);
    edit->Finish(grid);
    UpdateOverviewRect(art, overview, rect.left, rect.top, rect.right, rect.bottom);
    Record(std::move(edit));
}

void CMapEditor::EditRiver(RiverAction action, int x, int y, int kind, int cell) {
    EndStroke();
    CTileGrid& grid = art.Grid();
    if (!grid.Contains(x, y)) {
        return;
    }
    auto edit = std::make_unique<CTileEdit>(RiverStepName(action));
    edit->KeepTile(grid, x, y, true);
    switch (action) {
        case RiverAction::RemoveTop:
            grid.RemoveLastOverlay(x, y);
            break;
        case RiverAction::Add:
            grid.AddOverlay(x, y, kind, cell);
            break;
        case RiverAction::Replace:
            grid.SetLastOverlay(x, y, kind, cell);
            break;
    }
    edit->Finish(grid);
    // Also a click that found nothing to remove is a step: the user did edit the map.
    Record(std::move(edit));
}

void CMapEditor::ClearRect(const TileRect& area, int type, int request) {
    EndStroke();
    CTileGrid& grid = art.Grid();
    const TileRect rect = ClipToGrid(grid, area);
    if (rect.IsEmpty()) {
        return;
    }
    auto edit = std::make_unique<CTileEdit>("Cut");
    edit->KeepRect(grid, rect, true);
    if (type >= 0) {
        grid.FillRect(type, request, rect.left, rect.top, rect.right, rect.bottom);
    }
    for (auto [x, y] : grid.TilesWithRivers()) {
        if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) {
            grid.SetOverlays(x, y, {});
        }
    }
    edit->Finish(grid);
    UpdateOverviewRect(art, overview, rect.left, rect.top, rect.right, rect.bottom);
    Record(std::move(edit));
}

void CMapEditor::Paste(const CTileBlock& block, int x, int y) {
    EndStroke();
    CTileGrid& grid = art.Grid();
    const TileRect rect = ClipToGrid(grid, {x, y, x + block.Width(), y + block.Height()});
    if (rect.IsEmpty()) {
        return;
    }
    auto edit = std::make_unique<CTileEdit>("Paste");
    edit->KeepRect(grid, rect, true);
    for (int row = rect.top; row < rect.bottom; ++row) {
        for (int column = rect.left; column < rect.right; ++column) {
            *grid.GetTileAt(column, row) = block.TileAt(column - x, row - y);
            bool storable = column < kFirstUnstorableRiverIndex && row < kFirstUnstorableRiverIndex;
            const std::vector<RiverOverlay>& rivers = block.RiversAt(column - x, row - y);
            if (grid.GetOverlayCount(column, row) > 0 || (storable && !rivers.empty())) {
                grid.SetOverlays(column, row, storable ? rivers : std::vector<RiverOverlay>());
            }
        }
    }
    edit->Finish(grid);
    UpdateOverviewRect(art, overview, rect.left, rect.top, rect.right, rect.bottom);
    Record(std::move(edit));
}

void CMapEditor::SetTerrainRecord(int type, const CTerrainType& record) {
    EndStroke();
    CTerrainType& stored = theTerrainTable.Record(type);
    auto edit = std::make_unique<CTerrainRecordEdit>(type, stored, record);
    stored = record;
    Record(std::move(edit));
}

void CMapEditor::SetMilesPerTile(int miles) {
    EndStroke();
    if (miles == theTerrainTable.milesPerTile) {
        return;
    }
    auto edit = std::make_unique<CMilesEdit>(theTerrainTable.milesPerTile, miles);
    edit->Apply(target);
    Record(std::move(edit));
}

int CMapEditor::ImportCustomArt(int type, const std::string& path) {
    EndStroke();
    CCustomTerrainArt imported;
    int result = imported.Import(path);
    if (result != 0) {
        return result;
    }
    auto edit = std::make_unique<CCustomArtEdit>("Import Art", type, std::move(imported));
    edit->Apply(target);
    Record(std::move(edit));
    return 0;
}

void CMapEditor::UnloadCustomArt(int type) {
    EndStroke();
    CTileGrid& grid = art.Grid();
    auto tiles = std::make_unique<CTileEdit>("Unload Art");
    tiles->KeepType(grid, type);
    grid.ReplaceType(type, TERRAIN_TYPE_GRASS);
    tiles->Finish(grid);
    // Applied, the edit writes the grass it found once more and takes the art out of the slot.
    CCustomTerrainArt none;
    auto edit =
        std::make_unique<CCustomArtEdit>("Unload Art", type, std::move(none), std::move(tiles));
    edit->Apply(target);
    Record(std::move(edit));
}

void CMapEditor::SetExitMasks(int type, const std::array<uint8_t, 81>& masks) {
    EndStroke();
    CCustomTerrainArt& slot = *art.CustomArtFor(type);
    auto edit = std::make_unique<CExitMaskEdit>(type, slot.exitMasks, masks);
    slot.exitMasks = masks;
    Record(std::move(edit));
}

size_t CMapEditor::AddCityArt(const std::vector<std::string>& paths) {
    EndStroke();
    std::vector<int> added;
    for (const std::string& path : paths) {
        if (!art.AddCityArt(path)) {
            break;
        }
        added.push_back(art.CityArt().GetCount() - 1);
    }
    const size_t count = added.size();
    if (count > 0) {
        Record(CCityArtEdit::Added(std::move(added), art));
    }
    return count;
}

void CMapEditor::DeleteCityArt(std::vector<int> indexes) {
    EndStroke();
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    std::erase_if(indexes, [&](int i) { return i < 0 || i >= art.CityArt().GetCount(); });
    if (indexes.empty()) {
        return;
    }
    std::vector<std::unique_ptr<CTerrainArt>> entries(indexes.size());
    for (size_t i = indexes.size(); i-- > 0;) {
        entries[i] = art.TakeCityArt(indexes[i]);
    }
    auto edit = CCityArtEdit::Deleted(std::move(indexes), std::move(entries));
    Record(std::move(edit));
}

bool CMapEditor::Undo() {
    return Step(false);
}

bool CMapEditor::Redo() {
    return Step(true);
}

bool CMapEditor::Step(bool forward) {
    EndStroke();
    CMapEdit* edit = forward ? history.NextToRedo() : history.NextToUndo();
    if (edit == nullptr) {
        return false;
    }
    if (forward) {
        edit->Apply(target);
        history.StepForward();
    } else {
        edit->Revert(target);
        history.StepBack();
    }
    FollowHistory();
    Tell(edit->Change());
    return true;
}

void CMapEditor::Record(std::unique_ptr<CMapEdit> edit, bool tellTiles) {
    MapChange change = tellTiles ? edit->Change() : MapChange{};
    history.Add(std::move(edit));
    FollowHistory();
    Tell(change);
}

void CMapEditor::FollowHistory() {
    art.Grid().modified = !history.IsClean();
}

void CMapEditor::Tell(const MapChange& change) {
    if (observer != nullptr) {
        observer->MapChanged(change);
    }
}
