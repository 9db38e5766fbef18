#include "edit/tile_edit.h"

#include <algorithm>
#include <unordered_set>

#include "art/overview_picture.h"

namespace {

// Beyond this many single tiles the edit repaints the rectangle around them.
constexpr size_t kMostSingleTiles = 1024;

// Takes what each kept place holds now and drops the places that came out as they were.
template <typename Change, typename Now>
void KeepChanged(std::vector<Change>& changes, Now now) {
    size_t kept = 0;
    for (Change& change : changes) {
        change.after = now(change.index);
        if (!(change.after == change.before)) {
            if (kept != static_cast<size_t>(&change - changes.data())) {
                changes[kept] = std::move(change);
            }
            ++kept;
        }
    }
    changes.resize(kept);
    changes.shrink_to_fit();
}

}  // namespace

CTileEdit::CTileEdit(std::string name) : CMapEdit(std::move(name)) {}

bool CTileEdit::PaintTile(MapTarget& target, int type, int request, int x, int y) {
    CTileGrid& grid = target.art.Grid();
    if (!grid.Contains(x, y)) {
        return false;
    }
    width = grid.GetWidth();
    const auto index = static_cast<uint32_t>(x + y * width);
    if (keptTiles.try_emplace(index, tiles.size()).second) {
        tiles.push_back({index, grid.Tiles()[index], {}});
    }
    grid.SetTile(type, request, x, y);
    const CTile& tile = grid.Tiles()[index];
    UpdateOverviewTile(target.art, target.overview, tile.type, tile.subtype, x, y);
    return true;
}

std::vector<uint32_t> CTileEdit::RiverTilesIn(const CTileGrid& grid, const TileRect& area) const {
    std::vector<uint32_t> indexes;
    for (auto [x, y] : grid.TilesWithRivers()) {
        if (x >= area.left && x < area.right && y >= area.top && y < area.bottom) {
            indexes.push_back(static_cast<uint32_t>(x + y * width));
        }
    }
    return indexes;
}

void CTileEdit::KeepRivers(const CTileGrid& grid, uint32_t index) {
    rivers.push_back({index, grid.GetOverlays(index % width, index / width), {}});
}

void CTileEdit::ChangeRect(MapTarget& target, const TileRect& area, bool withRivers,
                           const RectChange& change) {
    CTileGrid& grid = target.art.Grid();
    width = grid.GetWidth();
    rect = area;
    tiles.resize(static_cast<size_t>(area.Width()) * area.Height());
    const CTile* all = grid.Tiles();
    TileChange* kept = tiles.data();
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x, ++kept) {
            kept->index = static_cast<uint32_t>(x + y * width);
            kept->before = all[kept->index];
        }
    }
    std::unordered_set<uint32_t> hadRivers;
    if (withRivers) {
        for (uint32_t index : RiverTilesIn(grid, area)) {
            KeepRivers(grid, index);
            hadRivers.insert(index);
        }
    }
    change(grid, area);
    if (withRivers) {
        // Tiles that had none and have rivers now undo to none.
        for (uint32_t index : RiverTilesIn(grid, area)) {
            if (!hadRivers.contains(index)) {
                rivers.push_back({index, {}, {}});
            }
        }
    }
    UpdateOverview(target);
}

void CTileEdit::ReplaceType(MapTarget& target, int from, int to) {
    CTileGrid& grid = target.art.Grid();
    width = grid.GetWidth();
    const CTile* all = grid.Tiles();
    const size_t count = static_cast<size_t>(width) * grid.GetHeight();
    for (size_t index = 0; index < count; ++index) {
        if (all[index].type == from) {
            tiles.push_back({static_cast<uint32_t>(index), all[index], {}});
        }
    }
    grid.ReplaceType(from, to);
    UpdateOverview(target);
}

void CTileEdit::SetRiverStacks(MapTarget& target, const std::vector<RiverStackChange>& stacks) {
    CTileGrid& grid = target.art.Grid();
    width = grid.GetWidth();
    for (const RiverStackChange& change : stacks) {
        KeepRivers(grid, static_cast<uint32_t>(change.x + change.y * width));
        grid.SetOverlays(change.x, change.y, change.stack);
    }
}

void CTileEdit::Finish(const CTileGrid& grid) {
    const CTile* all = grid.Tiles();
    KeepChanged(tiles, [all](uint32_t index) { return all[index]; });
    KeepChanged(rivers, [&](uint32_t index) {
        return grid.GetOverlays(static_cast<int>(index % width), static_cast<int>(index / width));
    });
    keptTiles = {};
}

void CTileEdit::Apply(MapTarget& target) {
    Write(target, true);
}

void CTileEdit::Revert(MapTarget& target) {
    Write(target, false);
}

void CTileEdit::Write(MapTarget& target, bool after) const {
    CTileGrid& grid = target.art.Grid();
    CTile* all = grid.Tiles();
    for (const TileChange& change : tiles) {
        all[change.index] = after ? change.after : change.before;
    }
    for (const RiverChange& change : rivers) {
        grid.SetOverlays(change.index % width, change.index / width,
                         after ? change.after : change.before);
    }
    UpdateOverview(target);
}

void CTileEdit::UpdateOverview(MapTarget& target) const {
    if (rect) {
        UpdateOverviewRect(target.art, target.overview, rect->left, rect->top, rect->right,
                           rect->bottom);
        return;
    }
    const CTile* all = target.art.Grid().Tiles();
    for (const TileChange& change : tiles) {
        const CTile& tile = all[change.index];
        UpdateOverviewTile(target.art, target.overview, tile.type, tile.subtype,
                           static_cast<int>(change.index % width),
                           static_cast<int>(change.index / width));
    }
}

MapChange CTileEdit::Change() const {
    MapChange change;
    if (rect) {
        change.tiles.push_back(*rect);
        return change;
    }
    std::vector<uint32_t> indexes;
    for (const TileChange& tile : tiles) {
        indexes.push_back(tile.index);
    }
    for (const RiverChange& river : rivers) {
        indexes.push_back(river.index);
    }
    if (indexes.size() <= kMostSingleTiles) {
        for (uint32_t index : indexes) {
            const int x = static_cast<int>(index % width);
            const int y = static_cast<int>(index / width);
            change.tiles.push_back({x, y, x + 1, y + 1});
        }
        return change;
    }
    TileRect around{width, static_cast<int>(indexes[0] / width), 0, 0};
    for (uint32_t index : indexes) {
        const int x = static_cast<int>(index % width);
        const int y = static_cast<int>(index / width);
        around = {std::min(around.left, x), std::min(around.top, y), std::max(around.right, x + 1),
                  std::max(around.bottom, y + 1)};
    }
    change.tiles.push_back(around);
    return change;
}

size_t CTileEdit::MemoryBytes() const {
    size_t bytes = sizeof(*this) + tiles.capacity() * sizeof(TileChange) +
                   rivers.capacity() * sizeof(RiverChange);
    for (const RiverChange& change : rivers) {
        bytes += (change.before.capacity() + change.after.capacity()) * sizeof(RiverOverlay);
    }
    return bytes;
}
