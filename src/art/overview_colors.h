#pragma once

#include <cstdint>

// The overview colour the art generator measured for a built-in cell: the mean of the cell's
// middle half, as 3 bytes red, green, blue. Null for cells without generated art (types without
// a built-in sheet, cells beyond a sheet's art, numbers out of range).
const uint8_t* GeneratedCellColor(int type, int cell);
