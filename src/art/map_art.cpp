#include "art/map_art.h"

#include <memory>

namespace {

// The city art list: owning, thread-safe, room for 128 pictures, growing by 32.
constexpr int kCityArtCapacity = 128;
constexpr int kCityArtGrowth = 32;

}  // namespace

CMapArt::CMapArt(CTileGrid& grid)
    : grid(grid), cityArt(true, true, kCityArtCapacity, kCityArtGrowth) {}

void CMapArt::Reset() {
    for (CCustomTerrainArt& art : customArt) {
        art.Unload();
    }
    cityArt.RemoveAll();
}

void CMapArt::Swap(CMapArt& other) {
    std::swap(customArt, other.customArt);
    cityArt.Swap(other.cityArt);
}

void CMapArt::KeepExitMasksOf(const CMapArt& other) {
    for (int i = 0; i < kCustomTypes; ++i) {
        customArt[i].exitMasks = other.customArt[i].exitMasks;
    }
}

CCustomTerrainArt* CMapArt::CustomArtFor(int type) {
    return IsCustomType(type) ? &customArt[type - TERRAIN_TYPE_CUSTOM_1] : nullptr;
}

const CCustomTerrainArt* CMapArt::CustomArtFor(int type) const {
    return IsCustomType(type) ? &customArt[type - TERRAIN_TYPE_CUSTOM_1] : nullptr;
}

bool CMapArt::AddCityArt(const std::string& path) {
    auto entry = std::make_unique<CTerrainArt>();
    if (entry->LoadNamed(path) != 0) {
        return false;
    }
    cityArt.Append(entry.release());
    return true;
}

void CMapArt::RemoveCityArt(int index) {
    if (index < 0 || index >= cityArt.GetCount()) {
        return;
    }
    cityArt.RemoveAt(index, true);
}

std::unique_ptr<CTerrainArt> CMapArt::TakeCityArt(int index) {
    auto* entry = static_cast<CTerrainArt*>(cityArt.GetAt(index));
    if (entry != nullptr) {
        cityArt.RemoveAt(index, false);
    }
    return std::unique_ptr<CTerrainArt>(entry);
}

void CMapArt::InsertCityArt(int index, std::unique_ptr<CTerrainArt> entry) {
    cityArt.InsertAt(index, entry.release());
}

SheetCell CMapArt::BuiltInSheet(int type, int subtype) const {
    return {theBuiltInArt.Sheet(type), subtype % 9 * kTileSize, subtype / 9 * kTileSize};
}

SheetCell CMapArt::TileArt(int x, int y) const {
    const CTile* tile = grid.GetTileAtConst(x, y);
    return tile != nullptr ? BuiltInSheet(tile->type, tile->subtype) : SheetCell();
}

const CDibImage* CMapArt::OverlayPiece(const RiverOverlay& item) const {
    return theBuiltInArt.Piece(item);
}

const CDibImage* CMapArt::OverlayPieceAt(int x, int y, int k) const {
    RiverOverlay item;
    return grid.GetOverlay(x, y, k, item) ? OverlayPiece(item) : nullptr;
}
