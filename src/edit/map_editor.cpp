#include "edit/map_editor.h"

#include <algorithm>
#include <map>

#include "edit/city_art_edit.h"
#include "edit/custom_art_edit.h"
#include "edit/exit_mask_edit.h"
#include "edit/terrain_table_edit.h"
#include "mapfile/map_file.h"
#include "transitions/corner_field.h"

namespace {

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

// The tiles connected to (x, y) through edges that have its type, as flags over rect, the
// rectangle around them.
std::vector<bool> ConnectedArea(const CTileGrid& grid, int x, int y, TileRect& rect) {
    rect = {};
    const CTile* start = grid.GetTileAt(x, y);
    if (start == nullptr) {
        return {};
    }
    const int width = grid.GetWidth();
    const uint16_t type = start->type;
    std::vector<bool> seen(static_cast<size_t>(width) * grid.GetHeight());
    std::vector<std::pair<int, int>> queue{{x, y}};
    seen[static_cast<size_t>(y) * width + x] = true;
    rect = {x, y, x + 1, y + 1};
    while (!queue.empty()) {
        auto [cx, cy] = queue.back();
        queue.pop_back();
        rect = {std::min(rect.left, cx), std::min(rect.top, cy), std::max(rect.right, cx + 1),
                std::max(rect.bottom, cy + 1)};
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const CTile* next = grid.GetTileAt(cx + dx, cy + dy);
            const size_t at = static_cast<size_t>(cy + dy) * width + (cx + dx);
            if (next != nullptr && next->type == type && !seen[at]) {
                seen[at] = true;
                queue.emplace_back(cx + dx, cy + dy);
            }
        }
    }
    std::vector<bool> area(static_cast<size_t>(rect.Width()) * rect.Height());
    for (int ty = rect.top; ty < rect.bottom; ++ty) {
        for (int tx = rect.left; tx < rect.right; ++tx) {
            area[static_cast<size_t>(ty - rect.top) * rect.Width() + (tx - rect.left)] =
                seen[static_cast<size_t>(ty) * width + tx];
        }
    }
    return area;
}

void ChangeRivers(CTileGrid& grid, CMapEditor::RiverAction action, int x, int y, int kind,
                  int cell) {
    switch (action) {
        case CMapEditor::RiverAction::RemoveTop:
            grid.RemoveLastOverlay(x, y);
            break;
        case CMapEditor::RiverAction::Add:
            grid.AddOverlay(x, y, kind, cell);
            break;
        case CMapEditor::RiverAction::Replace:
            grid.SetLastOverlay(x, y, kind, cell);
            break;
    }
}

}  // namespace

CMapEditor::CMapEditor(CMapArt& art, CDibImage& overview, CTerrainTable& table)
    : target{art, overview, table} {}

void CMapEditor::StartHistory(bool matchesFile) {
    stroke.reset();
    riverPreview.reset();
    history.Clear(matchesFile);
}

void CMapEditor::MarkSaved() {
    history.MarkClean();
    Tell({});
}

void CMapEditor::BeginStroke(const std::string& name) {
    EndStroke();
    stroke = std::make_unique<CTileEdit>(name);
    strokeSetTiles = false;
}

bool CMapEditor::PaintTile(int type, int request, int x, int y) {
    if (!target.art.Grid().Contains(x, y)) {
        return false;
    }
    if (!stroke) {
        BeginStroke("Paint Terrain");
    }
    stroke->PaintTile(target, type, request, x, y);
    strokeSetTiles = true;
    MapChange change;
    change.tiles.push_back({x, y, x + 1, y + 1});
    Tell(change);
    return true;
}

void CMapEditor::EndStroke() {
    EndRiver(true);
    if (!stroke) {
        return;
    }
    std::unique_ptr<CTileEdit> done = std::move(stroke);
    if (!strokeSetTiles) {
        return;
    }
    done->Finish(target.art.Grid());
    Record(std::move(done), false);  // its tiles were told as they were painted
}

void CMapEditor::ChangeTiles(const std::string& name, const TileRect& area, bool withRivers,
                             const CTileEdit::RectChange& change) {
    EndStroke();
    CTileGrid& grid = target.art.Grid();
    const TileRect rect = ClipToGrid(grid, area);
    if (rect.IsEmpty()) {
        return;
    }
    auto edit = std::make_unique<CTileEdit>(name);
    edit->ChangeRect(target, rect, withRivers, change);
    edit->Finish(grid);
    // Also a change that came out as it was is a step: the user did edit the map.
    Record(std::move(edit));
}

void CMapEditor::FillRect(int type, int request, const TileRect& area) {
    ChangeTiles("Rect of Terrain", area, false, [&](CTileGrid& grid, const TileRect& rect) {
        grid.FillRect(type, request, rect.left, rect.top, rect.right, rect.bottom);
    });
}

bool CMapEditor::EditRiver(RiverAction action, int x, int y, int kind, int cell) {
    if (!target.art.Grid().Contains(x, y) ||
        (action != RiverAction::RemoveTop && !IsRiverStorable(x, y))) {
        return false;
    }
    ChangeTiles(
        RiverStepName(action), {x, y, x + 1, y + 1}, true,
        [&](CTileGrid& grid, const TileRect&) { ChangeRivers(grid, action, x, y, kind, cell); });
    return true;
}

void CMapEditor::ClearRect(const TileRect& area, int type, int request) {
    ChangeTiles("Cut", area, true, [&](CTileGrid& grid, const TileRect& rect) {
        if (type >= 0) {
            grid.FillRect(type, request, rect.left, rect.top, rect.right, rect.bottom);
        }
        for (auto [x, y] : grid.TilesWithRivers()) {
            if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) {
                grid.SetOverlays(x, y, {});
            }
        }
    });
}

void CMapEditor::Paste(const CTileBlock& block, int x, int y) {
    const TileRect area{x, y, x + block.Width(), y + block.Height()};
    ChangeTiles("Paste", area, true, [&](CTileGrid& grid, const TileRect& rect) {
        for (int row = rect.top; row < rect.bottom; ++row) {
            for (int column = rect.left; column < rect.right; ++column) {
                *grid.GetTileAt(column, row) = block.TileAt(column - x, row - y);
                bool storable = IsRiverStorable(column, row);
                const std::vector<RiverOverlay>& rivers = block.RiversAt(column - x, row - y);
                if (grid.GetOverlayCount(column, row) > 0 || (storable && !rivers.empty())) {
                    grid.SetOverlays(column, row, storable ? rivers : std::vector<RiverOverlay>());
                }
            }
        }
    });
}

TransitionPlan CMapEditor::PlanPaintedCorners(const TileRect& rect, int type,
                                              const std::vector<bool>& painted,
                                              const TransitionOptions& options) {
    CTileGrid& grid = target.art.Grid();
    // The tiles around that share painted corners, and a ring beyond whose corners may give
    // way where the new corners meet the old ones without a cell.
    constexpr int kMargin = 2;
    const TileRect ring = ClipToGrid(grid, {rect.left - kMargin, rect.top - kMargin,
                                            rect.right + kMargin, rect.bottom + kMargin});
    CCornerField field = CCornerField::ReadBack(grid, ring);
    std::vector<bool> fixed(static_cast<size_t>(ring.Width() + 1) * (ring.Height() + 1));
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (!painted[static_cast<size_t>(y - rect.top) * rect.Width() + (x - rect.left)]) {
                continue;
            }
            for (int cy = y; cy <= y + 1; ++cy) {
                for (int cx = x; cx <= x + 1; ++cx) {
                    field.Set(cx, cy, static_cast<uint8_t>(type));
                    fixed[static_cast<size_t>(cy - ring.top) * (ring.Width() + 1) +
                          (cx - ring.left)] = true;
                }
            }
        }
    }
    return CTransitionSolver(grid, options).Solve(field, ring, fixed, theRandom);
}

TransitionPlan CMapEditor::BrushTerrain(int type, int request, const TileRect& area,
                                        const TransitionOptions& options) {
    CTileGrid& grid = target.art.Grid();
    const TileRect rect = ClipToGrid(grid, area);
    TransitionPlan plan;
    if (rect.IsEmpty()) {
        return plan;
    }
    if (!IsFamilyType(type)) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                PaintTile(type, request, x, y);
            }
        }
        return plan;
    }
    const std::vector<bool> painted(static_cast<size_t>(rect.Width()) * rect.Height(), true);
    plan = PlanPaintedCorners(rect, type, painted, options);
    if (!stroke) {
        BeginStroke("Terrain Brush");
    }
    MapChange change;
    for (const TilePick& pick : plan.picks) {
        stroke->PaintTile(target, pick.type, pick.request, pick.x, pick.y);
        change.tiles.push_back({pick.x, pick.y, pick.x + 1, pick.y + 1});
    }
    strokeSetTiles = strokeSetTiles || !plan.picks.empty();
    Tell(change);
    return plan;
}

TransitionPlan CMapEditor::FixTransitions(const TileRect& area, const TransitionOptions& options) {
    EndStroke();
    CTileGrid& grid = target.art.Grid();
    const TileRect rect = ClipToGrid(grid, area);
    if (rect.IsEmpty()) {
        return {};
    }
    CCornerField field = CCornerField::ReadBack(grid, rect);
    const std::vector<bool> fixed(static_cast<size_t>(rect.Width() + 1) * (rect.Height() + 1));
    TransitionPlan plan = CTransitionSolver(grid, options).Solve(field, rect, fixed, theRandom);
    ApplyPicks("Fix Transitions", plan);
    return plan;
}

TransitionPlan CMapEditor::BucketFill(int x, int y, int type, int request,
                                      const TransitionOptions& options) {
    EndStroke();
    CTileGrid& grid = target.art.Grid();
    TileRect rect;
    const std::vector<bool> area = ConnectedArea(grid, x, y, rect);
    if (rect.IsEmpty()) {
        return {};
    }
    if (!IsFamilyType(type)) {
        ChangeTiles("Bucket Fill", rect, false, [&](CTileGrid& tiles, const TileRect&) {
            for (int ty = rect.top; ty < rect.bottom; ++ty) {
                for (int tx = rect.left; tx < rect.right; ++tx) {
                    if (area[static_cast<size_t>(ty - rect.top) * rect.Width() +
                             (tx - rect.left)]) {
                        tiles.SetTile(type, request, tx, ty);
                    }
                }
            }
        });
        return {};
    }
    TransitionPlan plan = PlanPaintedCorners(rect, type, area, options);
    ApplyPicks("Bucket Fill", plan);
    return plan;
}

void CMapEditor::ApplyPicks(const std::string& name, const TransitionPlan& plan) {
    if (plan.picks.empty()) {
        return;
    }
    TileRect around{plan.picks[0].x, plan.picks[0].y, plan.picks[0].x + 1, plan.picks[0].y + 1};
    for (const TilePick& pick : plan.picks) {
        around = {std::min(around.left, pick.x), std::min(around.top, pick.y),
                  std::max(around.right, pick.x + 1), std::max(around.bottom, pick.y + 1)};
    }
    ChangeTiles(name, around, false, [&](CTileGrid& grid, const TileRect&) {
        for (const TilePick& pick : plan.picks) {
            grid.SetTile(pick.type, pick.request, pick.x, pick.y);
        }
    });
}

RiverPlan CMapEditor::PreviewRiver(int kind, const TilePath& path, bool erase) {
    CTileGrid& grid = target.art.Grid();
    // What the map shows now on the tiles the last drawing changed, which it takes back.
    std::map<std::pair<int, int>, std::vector<RiverOverlay>> shown;
    if (riverPreview) {
        for (const auto& tile : previewTiles) {
            shown[tile] = grid.GetOverlays(tile.first, tile.second);
        }
        riverPreview->Revert(target);
    } else {
        riverSeed = static_cast<uint32_t>(theRandom.Below(0x10000)) << 16 |
                    static_cast<uint32_t>(theRandom.Below(0x10000));
    }
    RiverPlan plan = erase ? PlanRiverErase(grid, kind, path, riverSeed)
                           : PlanRiver(grid, kind, path, riverSeed);
    for (const RiverStackChange& change : plan.changes) {
        shown.try_emplace({change.x, change.y}, grid.GetOverlays(change.x, change.y));
    }
    riverPreview = std::make_unique<CTileEdit>("River Brush");
    riverPreview->SetRiverStacks(target, plan.changes);
    riverPreview->Finish(grid);
    // Only the tiles that look different from before are drawn again.
    MapChange change;
    previewTiles.clear();
    for (const RiverStackChange& tile : plan.changes) {
        previewTiles.emplace_back(tile.x, tile.y);
    }
    for (const auto& [tile, before] : shown) {
        if (grid.GetOverlays(tile.first, tile.second) != before) {
            change.tiles.push_back({tile.first, tile.second, tile.first + 1, tile.second + 1});
        }
    }
    Tell(change);
    return plan;
}

void CMapEditor::EndRiver(bool keep) {
    if (!riverPreview) {
        return;
    }
    std::unique_ptr<CTileEdit> done = std::move(riverPreview);
    if (!keep) {
        done->Revert(target);
        Tell(done->Change());
    } else if (!done->ChangedNothing()) {
        Record(std::move(done), false);  // its tiles were told as it was drawn
    }
}

RiverPlan CMapEditor::DrawRiver(int kind, const TilePath& path, bool erase) {
    EndStroke();
    RiverPlan plan = PreviewRiver(kind, path, erase);
    EndRiver(true);
    return plan;
}

void CMapEditor::SetTerrainRecord(int type, const CTerrainType& record) {
    CTerrainTable after = target.table;
    after.Record(type) = record;
    Do(std::make_unique<CTerrainTableEdit>("Terrain Type", target.table, after));
}

void CMapEditor::SetMilesPerTile(int miles) {
    if (miles == target.table.milesPerTile) {
        EndStroke();
        return;
    }
    CTerrainTable after = target.table;
    after.milesPerTile = miles;
    Do(std::make_unique<CTerrainTableEdit>("Miles Per Tile", target.table, after));
}

int CMapEditor::ImportCustomArt(int type, const std::string& path) {
    EndStroke();
    CCustomTerrainArt imported;
    int result = imported.Import(path);
    if (result != 0) {
        return result;
    }
    Do(std::make_unique<CCustomArtEdit>("Import Art", type, std::move(imported)));
    return 0;
}

void CMapEditor::UnloadCustomArt(int type) {
    EndStroke();
    auto tiles = std::make_unique<CTileEdit>("Unload Art");
    tiles->ReplaceType(target, type, TERRAIN_TYPE_GRASS);
    tiles->Finish(target.art.Grid());
    // Applied, the edit writes the grass it found once more and takes the art out of the slot.
    CCustomTerrainArt none;
    Do(std::make_unique<CCustomArtEdit>("Unload Art", type, std::move(none), std::move(tiles)));
}

void CMapEditor::SetExitMasks(int type, const std::array<uint8_t, 81>& masks) {
    Do(std::make_unique<CExitMaskEdit>(type, target.art.CustomArtFor(type)->exitMasks, masks));
}

size_t CMapEditor::AddCityArt(const std::vector<std::string>& paths) {
    EndStroke();
    std::vector<std::unique_ptr<CTerrainArt>> entries;
    for (const std::string& path : paths) {
        auto entry = std::make_unique<CTerrainArt>();
        if (entry->LoadNamed(path) != 0) {
            break;
        }
        entries.push_back(std::move(entry));
    }
    const size_t count = entries.size();
    if (count > 0) {
        Do(CCityArtEdit::Adding(target.art.CityArt().GetCount(), std::move(entries)));
    }
    return count;
}

void CMapEditor::DeleteCityArt(std::vector<int> indexes) {
    EndStroke();
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    std::erase_if(indexes, [&](int i) { return i < 0 || i >= target.art.CityArt().GetCount(); });
    if (!indexes.empty()) {
        Do(CCityArtEdit::Deleting(std::move(indexes)));
    }
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
    Tell(edit->Change());
    return true;
}

void CMapEditor::Do(std::unique_ptr<CMapEdit> edit) {
    EndStroke();
    edit->Apply(target);
    Record(std::move(edit));
}

void CMapEditor::Record(std::unique_ptr<CMapEdit> edit, bool tellTiles) {
    MapChange change = tellTiles ? edit->Change() : MapChange{};
    history.Add(std::move(edit));
    Tell(change);
}

void CMapEditor::Tell(const MapChange& change) {
    if (observer != nullptr) {
        observer->MapChanged(change);
    }
}
