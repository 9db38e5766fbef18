#include "art/tile_renderer.h"

#include <algorithm>
#include <cstring>

#include "art/overview_picture.h"
#include "model/tile.h"

namespace {

constexpr uint32_t kNoArtRgb32 = 0xFF000000u | kNoArtColor;

// The part of a tileSize square at (x, y) that lies inside the target.
struct Clip {
    int x0, y0, x1, y1;  // target pixels, end exclusive
    int sx, sy;          // offset of (x0, y0) inside the square
    bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

Clip ClipSquare(const RgbTarget& target, int x, int y, int size) {
    Clip clip{std::max(x, 0),
              std::max(y, 0),
              std::min(x + size, target.width),
              std::min(y + size, target.height),
              0,
              0};
    clip.sx = clip.x0 - x;
    clip.sy = clip.y0 - y;
    return clip;
}

uint32_t* TargetRow(const RgbTarget& target, int y) {
    return target.pixels + static_cast<size_t>(y) * target.stride;
}

void Fill(const RgbTarget& target, const Clip& clip, uint32_t color) {
    for (int y = clip.y0; y < clip.y1; ++y) {
        std::fill(TargetRow(target, y) + clip.x0, TargetRow(target, y) + clip.x1, color);
    }
}

// source points at the square's top-left pixel in a picture of sourceStride pixels per row.
void Copy(const RgbTarget& target, const Clip& clip, const uint32_t* source, int sourceStride) {
    size_t bytes = static_cast<size_t>(clip.x1 - clip.x0) * sizeof(uint32_t);
    for (int y = clip.y0; y < clip.y1; ++y) {
        const uint32_t* from =
            source + static_cast<size_t>(clip.sy + y - clip.y0) * sourceStride + clip.sx;
        std::memcpy(TargetRow(target, y) + clip.x0, from, bytes);
    }
}

// Copies the pixels that have alpha; transparent ones are 0. Written without branches so that
// the compiler turns it into vector selects.
void OverlayRow(const uint32_t* __restrict from, uint32_t* __restrict to, int count) {
    for (int i = 0; i < count; ++i) {
        uint32_t mask = from[i] != 0 ? 0xFFFFFFFFu : 0u;
        to[i] = (from[i] & mask) | (to[i] & ~mask);
    }
}

void Overlay(const RgbTarget& target, const Clip& clip, const RgbPicture& piece) {
    for (int y = clip.y0; y < clip.y1; ++y) {
        OverlayRow(piece.Row(clip.sy + y - clip.y0) + clip.sx, TargetRow(target, y) + clip.x0,
                   clip.x1 - clip.x0);
    }
}

// Draws the tile's own art; false when it has none.
bool DrawTerrain(const CMapArt& art, const CTile& tile, int size, const RgbTarget& target,
                 const Clip& clip) {
    if (tile.subtype > kLastArtCell) {
        return false;
    }
    int cellX = tile.subtype % 9 * size;
    int cellY = tile.subtype / 9 * size;
    const uint32_t* pixels = nullptr;
    int stride = 0;
    int height = 0;
    if (const CCustomTerrainArt* custom = art.CustomArtFor(tile.type)) {
        pixels = custom->DrawingPixels(size).data();
        stride = custom->DrawingWidth(size);
        height = custom->DrawingPixels(size).empty() ? 0 : 9 * size;
    } else if (const RgbPicture* sheet = theBuiltInArt.SheetPixels(tile.type, size)) {
        pixels = sheet->pixels.data();
        stride = sheet->width;
        height = sheet->height;
    }
    if (cellY + size > height || cellX + size > stride) {
        return false;
    }
    Copy(target, clip, pixels + static_cast<size_t>(cellY) * stride + cellX, stride);
    return true;
}

void DrawRivers(const CMapArt& art, int column, int row, int size, const RgbTarget& target,
                const Clip& clip) {
    RiverOverlay item;
    for (int k = 0; art.Grid().GetOverlay(column, row, k, item); ++k) {
        if (const RgbPicture* piece = theBuiltInArt.PiecePixels(item, size)) {
            Overlay(target, clip, *piece);
        }
    }
}

}  // namespace

void RenderTiles(const CMapArt& art, int tileSize, int left, int top, int right, int bottom,
                 const RgbTarget& target, int x, int y) {
    const CTileGrid& grid = art.Grid();
    for (int row = top; row < bottom; ++row) {
        for (int column = left; column < right; ++column) {
            Clip clip = ClipSquare(target, x + (column - left) * tileSize,
                                   y + (row - top) * tileSize, tileSize);
            if (clip.Empty()) {
                continue;
            }
            const CTile* tile = grid.GetTileAt(column, row);
            if (tile == nullptr || !DrawTerrain(art, *tile, tileSize, target, clip)) {
                Fill(target, clip, kNoArtRgb32);
            }
            if (tile != nullptr) {
                DrawRivers(art, column, row, tileSize, target, clip);
            }
        }
    }
}
