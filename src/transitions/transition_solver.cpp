#include "transitions/transition_solver.h"

#include <algorithm>

#include "model/builtin_tables.h"
#include "model/random.h"
#include "model/tile_grid.h"

struct CTransitionSolver::Choice {
    TileTransition transition;
    bool paintedOver = false;
    bool decided = false;
};

namespace {

// The corner (x, y) of each corner i of a tile, clockwise from the top left.
constexpr int kCornerOffsets[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

size_t TileIndex(const TileRect& tiles, int x, int y) {
    return static_cast<size_t>(y - tiles.top) * tiles.Width() + (x - tiles.left);
}

bool Inside(const TileRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// The type most of a tile's corners on one side have.
int SideType(const TileCorners& corners, TransitionFamily family, bool open) {
    int best = -1;
    int bestCount = 0;
    for (uint8_t type : corners) {
        if (IsOpenSide(family, type) != open) {
            continue;
        }
        int count = static_cast<int>(std::count(corners.begin(), corners.end(), type));
        if (count > bestCount) {
            best = type;
            bestCount = count;
        }
    }
    return best;
}

}  // namespace

CTransitionSolver::CTransitionSolver(const CTileGrid& grid, const TransitionOptions& options)
    : grid(grid), options(options) {}

bool CTransitionSolver::Flexible(const CCornerField& field, const std::vector<bool>& fixed, int x,
                                 int y) const {
    // On the rim only where the map ends: there are no tiles beyond to keep their corners.
    const TileRect& rect = field.Rect();
    if ((x <= rect.left && x > 0) || (x >= rect.right && x < grid.GetWidth()) ||
        (y <= rect.top && y > 0) || (y >= rect.bottom && y < grid.GetHeight())) {
        return false;
    }
    return !fixed[static_cast<size_t>(y - rect.top) * (rect.Width() + 1) + (x - rect.left)];
}

TransitionPlan CTransitionSolver::Solve(CCornerField& field, const TileRect& tiles,
                                        const std::vector<bool>& fixedCorners,
                                        CRandom& random) const {
    TransitionPlan plan;
    const TileRect& rect = field.Rect();
    auto isFixed = [&](int cx, int cy) {
        return fixedCorners[static_cast<size_t>(cy - rect.top) * (rect.Width() + 1) +
                            (cx - rect.left)];
    };
    std::vector<Choice> choices(static_cast<size_t>(tiles.Width()) * tiles.Height());
    for (int y = tiles.top; y < tiles.bottom; ++y) {
        for (int x = tiles.left; x < tiles.right; ++x) {
            Choice& choice = choices[TileIndex(tiles, x, y)];
            choice.transition =
                TransitionOf(field.CornersOf(x, y), grid.GetTileAt(x, y)->type, options);
            choice.paintedOver =
                isFixed(x, y) && isFixed(x + 1, y) && isFixed(x + 1, y + 1) && isFixed(x, y + 1);
        }
    }
    // Each corner moves at most once, so the growth ends.
    std::vector<bool> fixed = fixedCorners;
    Grow(field, tiles, fixed, choices, plan);
    Pick(tiles, choices, random, plan);
    return plan;
}

CTransitionSolver::Move CTransitionSolver::CornerToMove(CCornerField& field,
                                                        const std::vector<bool>& fixed, int x,
                                                        int y, TransitionFamily family, bool open,
                                                        uint8_t target) const {
    // One on the other side that leaves the fewest tiles around it without a cell, and of
    // those the one with most of its neighbours on this side.
    const TileCorners corners = field.CornersOf(x, y);
    Move best;
    std::pair<int, int> bestCost{1 << 30, 0};
    for (int i = 0; i < 4; ++i) {
        const int cx = x + kCornerOffsets[i][0];
        const int cy = y + kCornerOffsets[i][1];
        if (IsOpenSide(family, corners[i]) == open || !Flexible(field, fixed, cx, cy)) {
            continue;
        }
        int alike = 0;
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            alike += field.Contains(cx + dx, cy + dy) &&
                     IsOpenSide(family, field.At(cx + dx, cy + dy)) == open;
        }
        field.Set(cx, cy, target);
        int unfit = 0;
        for (int ty = cy - 1; ty <= cy; ++ty) {
            for (int tx = cx - 1; tx <= cx; ++tx) {
                const CTile* tile = grid.GetTileAt(tx, ty);
                if (tile != nullptr && field.Contains(tx, ty) && field.Contains(tx + 1, ty + 1)) {
                    const TileTransition t =
                        TransitionOf(field.CornersOf(tx, ty), tile->type, options);
                    unfit += !t.plain && !index.Fits(*t.sheets, t.pattern);
                }
            }
        }
        field.Set(cx, cy, corners[i]);
        const std::pair<int, int> cost{unfit, -alike};
        if (cost < bestCost) {
            best = {i, unfit};
            bestCost = cost;
        }
    }
    return best;
}

void CTransitionSolver::Grow(CCornerField& field, const TileRect& tiles, std::vector<bool>& fixed,
                             std::vector<Choice>& choices, TransitionPlan& plan) const {
    auto unfit = [&](int x, int y) {
        const TileTransition& t = choices[TileIndex(tiles, x, y)].transition;
        return !t.plain && !index.Fits(*t.sheets, t.pattern);
    };
    std::vector<std::pair<int, int>> queue;
    for (int y = tiles.top; y < tiles.bottom; ++y) {
        for (int x = tiles.left; x < tiles.right; ++x) {
            if (unfit(x, y)) {
                queue.emplace_back(x, y);
            }
        }
    }
    const TileRect& rect = field.Rect();
    while (!queue.empty()) {
        auto [x, y] = queue.back();
        queue.pop_back();
        if (!unfit(x, y)) {
            continue;
        }
        const TileTransition& t = choices[TileIndex(tiles, x, y)].transition;
        const TileCorners corners = field.CornersOf(x, y);
        // The move that leaves the fewest tiles without a cell; on a tie the tile's own side
        // gives way.
        Move best;
        int target = -1;
        for (bool open : {t.growsOpen, !t.growsOpen}) {
            const int type = SideType(corners, t.family, open);
            if (type < 0) {
                continue;
            }
            const Move move =
                CornerToMove(field, fixed, x, y, t.family, open, static_cast<uint8_t>(type));
            if (move.corner >= 0 && (best.corner < 0 || move.unfit < best.unfit)) {
                best = move;
                target = type;
            }
        }
        if (best.corner < 0) {
            continue;
        }
        const int cx = x + kCornerOffsets[best.corner][0];
        const int cy = y + kCornerOffsets[best.corner][1];
        field.Set(cx, cy, static_cast<uint8_t>(target));
        fixed[static_cast<size_t>(cy - rect.top) * (rect.Width() + 1) + (cx - rect.left)] = true;
        ++plan.cornersChanged;
        for (int ty = cy - 1; ty <= cy; ++ty) {
            for (int tx = cx - 1; tx <= cx; ++tx) {
                if (Inside(tiles, tx, ty)) {
                    choices[TileIndex(tiles, tx, ty)].transition = TransitionOf(
                        field.CornersOf(tx, ty), grid.GetTileAt(tx, ty)->type, options);
                    queue.emplace_back(tx, ty);
                }
            }
        }
    }
}

void CTransitionSolver::Pick(const TileRect& tiles, std::vector<Choice>& choices, CRandom& random,
                             TransitionPlan& plan) const {
    std::vector<TransitionCell> singles;
    std::vector<TransitionCell> stampCells;
    for (int y = tiles.top; y < tiles.bottom; ++y) {
        for (int x = tiles.left; x < tiles.right; ++x) {
            Choice& choice = choices[TileIndex(tiles, x, y)];
            if (choice.decided) {
                continue;
            }
            choice.decided = true;
            const CTile& now = *grid.GetTileAt(x, y);
            const TileTransition& t = choice.transition;
            if (t.plain) {
                // A terrain without corners of its own keeps its tiles, unless painted over.
                const bool ownCorners = IsFamilyType(now.type) || choice.paintedOver;
                int ignored;
                const bool nowPlain = !SidesOf(now.type, ignored, ignored);
                if (!ownCorners && nowPlain) {
                    continue;
                }
                if (now.type == t.type && nowPlain) {
                    continue;
                }
                plan.picks.push_back({x, y, t.type, RandomExactRequest(t.type, random)});
                continue;
            }
            const std::vector<int>& sheets = *t.sheets;
            if (std::find(sheets.begin(), sheets.end(), now.type) != sheets.end() &&
                index.PatternOf(now.type, now.subtype) == t.pattern) {
                continue;  // the cell there fits already
            }
            singles.clear();
            stampCells.clear();
            for (int sheet : sheets) {
                for (const TransitionCell& cell : index.CellsOf(sheet, t.pattern)) {
                    (cell.stampGroup == 0 ? singles : stampCells).push_back(cell);
                }
            }
            if (!singles.empty()) {
                const TransitionCell& cell =
                    singles[random.Below(static_cast<uint32_t>(singles.size()))];
                plan.picks.push_back({x, y, cell.type, cell.cell + 1});
                continue;
            }
            if (stampCells.empty()) {
                const TransitionCell cell = index.Nearest(sheets.front(), t.pattern);
                plan.picks.push_back({x, y, cell.type, cell.cell + 1});
                plan.unfit.emplace_back(x, y);
                continue;
            }
            const size_t start = random.Below(static_cast<uint32_t>(stampCells.size()));
            bool placed = false;
            for (size_t k = 0; k < stampCells.size() && !placed; ++k) {
                placed = PlaceWholeStamp(tiles, choices, x, y,
                                         stampCells[(start + k) % stampCells.size()], plan);
            }
            if (!placed) {
                const TransitionCell& cell = stampCells[start];
                plan.picks.push_back({x, y, cell.type, cell.cell + 1});
            }
        }
    }
}

bool CTransitionSolver::PlaceWholeStamp(const TileRect& tiles, std::vector<Choice>& choices, int x,
                                        int y, const TransitionCell& cell,
                                        TransitionPlan& plan) const {
    const std::vector<int>& cells = index.StampCells(cell.type, cell.stampGroup);
    std::vector<TilePick> parts;
    for (int part : cells) {
        const int px = x + part % kSheetColumns - cell.cell % kSheetColumns;
        const int py = y + part / kSheetColumns - cell.cell / kSheetColumns;
        if (!Inside(tiles, px, py)) {
            return false;
        }
        const Choice& there = choices[TileIndex(tiles, px, py)];
        const bool fits =
            !there.transition.plain &&
            std::find(there.transition.sheets->begin(), there.transition.sheets->end(),
                      cell.type) != there.transition.sheets->end() &&
            there.transition.pattern == index.PatternOf(cell.type, part);
        if ((there.decided && part != cell.cell) || !fits) {
            return false;
        }
        parts.push_back({px, py, cell.type, part + 1});
    }
    for (const TilePick& part : parts) {
        choices[TileIndex(tiles, part.x, part.y)].decided = true;
        plan.picks.push_back(part);
    }
    return true;
}
