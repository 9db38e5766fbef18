#pragma once

#include <cstddef>
#include <span>
#include <vector>

// Which built-in pictures exist and how they are laid out. The art generator writes the pixels in
// exactly this order and the core reads them back by the same rules.

inline constexpr int kArtCellSize = 50;
inline constexpr int kArtSheetColumns = 9;
inline constexpr int kArtSheetWidth = kArtCellSize * kArtSheetColumns;
inline constexpr int kSheetResourceBase = 20000;
inline constexpr int kWideRiverResourceBase = 12000;
inline constexpr int kNarrowRiverResourceBase = 12081;
inline constexpr int kRiverPieceCount = 81;
inline constexpr int kOverviewColorTypes = 42;
inline constexpr int kOverviewColorCells = 81;
inline constexpr size_t kOverviewColorBytes = kOverviewColorTypes * kOverviewColorCells * 3;

// One built-in terrain sheet: 450 pixels wide and cellRows cells of 50 pixels high. The first
// cellsWithArt cells are drawn; any further cells show the type's plain ground.
struct BuiltInSheetInfo {
    int type;
    int cellRows;
    int cellsWithArt;
};

std::span<const BuiltInSheetInfo> BuiltInSheetInfos();
// Null for types without a built-in sheet.
const BuiltInSheetInfo* FindBuiltInSheetInfo(int type);
// 0 for types without a built-in sheet.
int CellsWithArt(int type);

struct BuiltInBitmapInfo {
    int resourceId;
    int width;
    int height;
};

// Every built-in bitmap in the order of the embedded pixels: the sheets by type, then the wide and
// the narrow river pieces.
std::vector<BuiltInBitmapInfo> BuiltInBitmapInfos();

// 24-bit rows are padded to a multiple of four bytes.
size_t DibRowBytes(int width);
size_t DibBytes(int width, int height);
