#include "art/art_catalog.h"

#include <algorithm>
#include <array>

#include "model/terrain_type.h"

namespace {

constexpr std::array<BuiltInSheetInfo, 20> kSheets = {{
    {TERRAIN_TYPE_SUBURB, 9, 81},         {TERRAIN_TYPE_DESERT, 9, 81},
    {TERRAIN_TYPE_GRASS, 9, 81},          {TERRAIN_TYPE_FARM, 9, 81},
    {TERRAIN_TYPE_WOODS, 9, 81},          {TERRAIN_TYPE_HILLS_1, 9, 81},
    {TERRAIN_TYPE_HILLS_2, 9, 81},        {TERRAIN_TYPE_MOUNTAIN_1, 9, 81},
    {TERRAIN_TYPE_MOUNTAIN_2, 9, 81},     {TERRAIN_TYPE_MOUNTAIN_3, 9, 81},
    {TERRAIN_TYPE_SWAMP, 9, 81},          {TERRAIN_TYPE_SHALLOW, 9, 81},
    {TERRAIN_TYPE_OCEAN, 9, 81},          {TERRAIN_TYPE_GRASS_DESERT, 9, 81},
    {TERRAIN_TYPE_GRASS_OCEAN_A, 9, 81},  {TERRAIN_TYPE_DESERT_OCEAN, 9, 81},
    {TERRAIN_TYPE_RIVER_CUSTOM_A, 9, 81}, {TERRAIN_TYPE_GRASS_OCEAN_B, 9, 81},
    {TERRAIN_TYPE_GRASS_OCEAN_C, 9, 81},  {TERRAIN_TYPE_MTN_TRANS, 9, 81},
}};

void AddRiverPieces(std::vector<BuiltInBitmapInfo>& infos, int firstId) {
    for (int n = 0; n < kRiverPieceCount; ++n) {
        infos.push_back({firstId + n, kArtCellSize, kArtCellSize});
    }
}

}  // namespace

std::span<const BuiltInSheetInfo> BuiltInSheetInfos() {
    return kSheets;
}

const BuiltInSheetInfo* FindBuiltInSheetInfo(int type) {
    const auto* found = std::find_if(kSheets.begin(), kSheets.end(),
                                     [type](const BuiltInSheetInfo& s) { return s.type == type; });
    return found == kSheets.end() ? nullptr : found;
}

int CellsWithArt(int type) {
    const BuiltInSheetInfo* sheet = FindBuiltInSheetInfo(type);
    return sheet == nullptr ? 0 : sheet->cellsWithArt;
}

std::vector<BuiltInBitmapInfo> BuiltInBitmapInfos() {
    std::vector<BuiltInBitmapInfo> infos;
    for (const BuiltInSheetInfo& sheet : kSheets) {
        infos.push_back(
            {kSheetResourceBase + sheet.type, kArtSheetWidth, sheet.cellRows * kArtCellSize});
    }
    AddRiverPieces(infos, kWideRiverResourceBase);
    AddRiverPieces(infos, kNarrowRiverResourceBase);
    return infos;
}

size_t DibRowBytes(int width) {
    return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
}

size_t DibBytes(int width, int height) {
    return DibRowBytes(width) * height;
}
