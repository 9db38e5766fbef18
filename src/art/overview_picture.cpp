#include "art/overview_picture.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "art/overview_colors.h"

namespace {

constexpr COLORREF Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return red | green << 8 | blue << 16;
}

struct ReferenceColors {
    int type;
    COLORREF cell0;
    COLORREF cell1;
};

// Fixed colours of the first two cells of some types; the rest come from the generated art.
constexpr ReferenceColors kReferenceColors[] = {
    {TERRAIN_TYPE_SUBURB, Rgb(86, 106, 34), Rgb(73, 100, 39)},
    {TERRAIN_TYPE_DESERT, Rgb(180, 148, 86), Rgb(181, 148, 85)},
    {TERRAIN_TYPE_GRASS, Rgb(73, 101, 36), Rgb(73, 103, 37)},
    {TERRAIN_TYPE_MOUNTAIN_2, Rgb(77, 125, 154), Rgb(83, 135, 166)},
    {TERRAIN_TYPE_SWAMP, Rgb(51, 90, 47), Rgb(50, 88, 46)},
};

// The table entry of a built-in cell, or 0 when it has none.
COLORREF TableColor(int type, int cell) {
    if (type == TERRAIN_TYPE_SHALLOW || type == TERRAIN_TYPE_OCEAN) {
        return 0;
    }
    if (cell == 0 || cell == 1) {
        for (const ReferenceColors& reference : kReferenceColors) {
            if (reference.type == type) {
                return cell == 0 ? reference.cell0 : reference.cell1;
            }
        }
    }
    const uint8_t* rgb = GeneratedCellColor(type, cell);
    return rgb != nullptr ? Rgb(rgb[0], rgb[1], rgb[2]) : 0;
}

// The overview colours of the (type, cell) pairs a rectangle holds, each looked up once.
class CColorCache {
  public:
    explicit CColorCache(const CMapArt& art) : art(art) {}

    COLORREF Of(int type, int cell) {
        if (type >= kTypes || cell >= kCells) {
            return OverviewColor(art, type, cell);
        }
        const int i = type * kCells + cell;
        if (!known[i]) {
            colors[i] = OverviewColor(art, type, cell);
            known[i] = true;
        }
        return colors[i];
    }

  private:
    static constexpr int kTypes = 44;
    static constexpr int kCells = 81;
    const CMapArt& art;
    std::array<COLORREF, kTypes * kCells> colors;
    std::array<bool, kTypes * kCells> known{};
};

}  // namespace

COLORREF OverviewColor(const CMapArt& art, int type, int cell) {
    COLORREF color = TableColor(type, cell);
    if (color != 0) {
        return color;
    }
    if (type == TERRAIN_TYPE_SHALLOW || type == TERRAIN_TYPE_OCEAN) {
        return kWaterOverviewColor;
    }
    const CCustomTerrainArt* custom = art.CustomArtFor(type);
    if (custom != nullptr && custom->loaded) {
        return custom->SheetColor();
    }
    return kNoArtColor;
}

void RebuildOverview(const CMapArt& art, CDibImage& picture) {
    const CTileGrid& grid = art.Grid();
    picture.Create(grid.GetWidth(), grid.GetHeight(), 3);
    UpdateOverviewRect(art, picture, 0, 0, grid.GetWidth(), grid.GetHeight());
}

void UpdateOverviewRect(const CMapArt& art, CDibImage& picture, int left, int top, int right,
                        int bottom) {
    const CTileGrid& grid = art.Grid();
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min({right, grid.GetWidth(), picture.GetWidth()});
    bottom = std::min({bottom, grid.GetHeight(), picture.GetHeight()});
    if (left >= right || picture.bytesPerPixel != 3) {
        return;
    }
    CColorCache colors(art);
    for (int y = top; y < bottom; ++y) {
        const CTile* tile = grid.GetTileAt(left, y);
        uint8_t* pixel = picture.PixelPtr(left, y);
        for (int x = left; x < right; ++x, ++tile, pixel += 3) {
            const COLORREF color = colors.Of(tile->type, tile->subtype);
            pixel[0] = static_cast<uint8_t>(color >> 16);
            pixel[1] = static_cast<uint8_t>(color >> 8);
            pixel[2] = static_cast<uint8_t>(color);
        }
    }
}

void UpdateOverviewTile(const CMapArt& art, CDibImage& picture, int type, int cell, int x, int y) {
    if (picture.PixelPtr(x, y) != nullptr) {
        picture.SetPixel(x, y, OverviewColor(art, type, cell));
    }
}
