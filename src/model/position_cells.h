#pragma once

#include "model/tile_grid.h"

// Gives every tile that asks for a random cell the cell drawn from its position and the map's
// own tiles (every tile's type and request): a map shows the same cells at every load, in the
// editor, in a render and in a dump, and two maps that differ draw differently. The stored
// requests stay as they are.
void DrawRandomCellsByPosition(CTileGrid& grid);

// Draws nothing: what a tile gets until DrawRandomCellsByPosition draws its cell.
struct NoDraw {
    uint32_t Below(uint32_t) { return 0; }
};
