#pragma once

#include <utility>
#include <vector>

// The tiles a river goes through, in order; consecutive tiles share an edge.
using TilePath = std::vector<std::pair<int, int>>;

bool AreEdgeNeighbours(std::pair<int, int> a, std::pair<int, int> b);

// Extends path with the tiles that the line from (x0, y0) to (x1, y1) crosses, in tile units
// (tile (x, y) covers [x, x + 1) x [y, y + 1)), so that consecutive tiles share an edge: where the
// line passes a corner, it goes through the tile nearer to it first. A tile the path holds
// already cuts the path back to it: a river does not cross itself.
void ExtendPath(TilePath& path, double x0, double y0, double x1, double y1);
// The same for one tile, reached from the path's last tile along the straight line between
// their middles.
void ExtendPath(TilePath& path, std::pair<int, int> tile);
