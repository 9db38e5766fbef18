#include "edit/tile_block.h"

#include <algorithm>

TileRect ClipToGrid(const CTileGrid& grid, TileRect rect) {
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, grid.GetWidth());
    rect.bottom = std::min(rect.bottom, grid.GetHeight());
    return rect.IsEmpty() ? TileRect{} : rect;
}

CTileBlock CTileBlock::Copy(const CTileGrid& grid, const TileRect& area) {
    CTileBlock block;
    const TileRect rect = ClipToGrid(grid, area);
    if (rect.IsEmpty()) {
        return block;
    }
    block.width = rect.Width();
    block.height = rect.Height();
    block.tiles.reserve(static_cast<size_t>(block.width) * block.height);
    for (int y = rect.top; y < rect.bottom; ++y) {
        const CTile* row = grid.GetTileAt(rect.left, y);
        block.tiles.insert(block.tiles.end(), row, row + block.width);
    }
    for (auto [x, y] : grid.TilesWithRivers()) {
        if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) {
            block.rivers[(x - rect.left) + (y - rect.top) * block.width] = grid.GetOverlays(x, y);
        }
    }
    return block;
}

const std::vector<RiverOverlay>& CTileBlock::RiversAt(int x, int y) const {
    static const std::vector<RiverOverlay> kNone;
    auto found = rivers.find(x + y * width);
    return found == rivers.end() ? kNone : found->second;
}
