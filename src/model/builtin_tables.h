#pragma once

#include <array>
#include <cstdint>

inline constexpr int kSheetCells = 81;  // 9 x 9 cells of an art sheet
inline constexpr int kSheetColumns = 9;

using ExitMaskRow = std::array<uint8_t, kSheetCells>;
using StampGroupRow = std::array<uint8_t, kSheetCells>;

// The built-in exit table of a terrain record's exitTable (0 to 3), or null for any other value.
const ExitMaskRow* BuiltInExitTable(int exitTable);

// The stamp group table of a terrain record's stampTable: null for -1 (no stamps), table A for
// 0, table B for anything else.
const StampGroupRow* StampGroupTable(int stampTable);
