#include "art/tile_renderer.h"

#include "art/overview_picture.h"
#include "model/tile.h"

namespace {

constexpr uint32_t kNoArtRgb32 = 0xFF000000u | kNoArtColor;

bool Outside(const RgbTarget& target, int x, int y, int size) {
    return x >= target.width || y >= target.height || x + size <= 0 || y + size <= 0;
}

void DrawRivers(const CMapArt& art, int column, int row, int size, const RgbTarget& target, int x,
                int y) {
    RiverOverlay item;
    for (int k = 0; art.Grid().GetOverlay(column, row, k, item); ++k) {
        RenderRiverPiece(item, size, target, x, y);
    }
}

}  // namespace

void RenderTiles(const CMapArt& art, int tileSize, int left, int top, int right, int bottom,
                 const RgbTarget& target, int x, int y) {
    const CTileGrid& grid = art.Grid();
    for (int row = top; row < bottom; ++row) {
        for (int column = left; column < right; ++column) {
            int tileX = x + (column - left) * tileSize;
            int tileY = y + (row - top) * tileSize;
            if (Outside(target, tileX, tileY, tileSize)) {
                continue;
            }
            const CTile* tile = grid.GetTileAt(column, row);
            if (tile == nullptr ||
                !RenderCell(art, tile->type, tile->subtype, tileSize, target, tileX, tileY)) {
                FillCell(target, tileX, tileY, tileSize, kNoArtRgb32);
            }
            if (tile != nullptr) {
                DrawRivers(art, column, row, tileSize, target, tileX, tileY);
            }
        }
    }
}
