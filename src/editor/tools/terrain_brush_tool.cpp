#include "editor/tools/terrain_brush_tool.h"

#include <algorithm>

#include "editor/map_session.h"
#include "editor/tile_rects.h"
#include "editor/tool_choice.h"
#include "editor/tools/unfit_notice.h"

bool CTerrainBrushTool::Press(QPoint tile, Qt::KeyboardModifiers) {
    if (!choice.HasArtIn(session.Art())) {
        return false;
    }
    unfit.clear();
    session.Editor().BeginStroke("Terrain Brush");
    Dab(tile);
    return true;
}

void CTerrainBrushTool::Move(QPoint tile) {
    Dab(tile);
}

void CTerrainBrushTool::Release(QPoint) {
    Finish();
}

void CTerrainBrushTool::Cancel() {
    Finish();
}

std::vector<QPoint> CTerrainBrushTool::OutlineAt(QPoint tile) const {
    std::vector<QPoint> tiles;
    const QRect square = SquareAt(tile);
    for (int y = square.top(); y <= square.bottom(); ++y) {
        for (int x = square.left(); x <= square.right(); ++x) {
            tiles.emplace_back(x, y);
        }
    }
    return tiles;
}

QRect CTerrainBrushTool::SquareAt(QPoint tile) const {
    const int size = choice.BrushSize();
    return QRect(tile - QPoint((size - 1) / 2, (size - 1) / 2), QSize(size, size));
}

void CTerrainBrushTool::Dab(QPoint tile) {
    TransitionPlan plan = session.Editor().BrushTerrain(
        choice.Type(), choice.RequestedSubtype(), ToTileRect(SquareAt(tile)), choice.Transitions());
    for (const auto& at : plan.unfit) {
        if (std::find(unfit.begin(), unfit.end(), at) == unfit.end()) {
            unfit.push_back(at);
        }
    }
}

void CTerrainBrushTool::Finish() {
    session.Editor().EndStroke();
    ShowUnfit(session, unfit, "The stroke");
    unfit.clear();
}
