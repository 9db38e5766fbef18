#include "art/cell_renderer.h"

#include <algorithm>
#include <cstring>

#include "model/tile.h"

namespace {

// The part of a size x size square at (x, y) that lies inside the target.
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

}  // namespace

bool RenderCell(const CMapArt& art, int type, int cell, int cellSize, const RgbTarget& target,
                int x, int y) {
    if (cell < 0 || cell > kLastArtCell) {
        return false;
    }
    int cellX = cell % 9 * cellSize;
    int cellY = cell / 9 * cellSize;
    const uint32_t* pixels = nullptr;
    int stride = 0;
    int height = 0;
    if (const CCustomTerrainArt* custom = art.CustomArtFor(type)) {
        pixels = custom->DrawingPixels(cellSize).data();
        stride = custom->DrawingWidth(cellSize);
        height = custom->DrawingPixels(cellSize).empty() ? 0 : 9 * cellSize;
    } else if (const RgbPicture* sheet = theBuiltInArt.SheetPixels(type, cellSize)) {
        pixels = sheet->pixels.data();
        stride = sheet->width;
        height = sheet->height;
    }
    if (cellY + cellSize > height || cellX + cellSize > stride) {
        return false;
    }
    Clip clip = ClipSquare(target, x, y, cellSize);
    if (!clip.Empty()) {
        Copy(target, clip, pixels + static_cast<size_t>(cellY) * stride + cellX, stride);
    }
    return true;
}

void RenderRiverPiece(const RiverOverlay& item, int cellSize, const RgbTarget& target, int x,
                      int y) {
    const RgbPicture* piece = theBuiltInArt.PiecePixels(item, cellSize);
    Clip clip = ClipSquare(target, x, y, cellSize);
    if (piece == nullptr || clip.Empty()) {
        return;
    }
    for (int row = clip.y0; row < clip.y1; ++row) {
        OverlayRow(piece->Row(clip.sy + row - clip.y0) + clip.sx, TargetRow(target, row) + clip.x0,
                   clip.x1 - clip.x0);
    }
}

void FillCell(const RgbTarget& target, int x, int y, int cellSize, uint32_t color) {
    Clip clip = ClipSquare(target, x, y, cellSize);
    for (int row = clip.y0; row < clip.y1; ++row) {
        std::fill(TargetRow(target, row) + clip.x0, TargetRow(target, row) + clip.x1, color);
    }
}
