#pragma once

#include <vector>

#include "generate/generation_options.h"
#include "generate/height_field.h"

class CRandom;
class CTileGrid;

// Where the rain on every land tile runs: depressions are filled first, so that every land tile
// drains, over edge neighbours, to the sea or off the map's edge.
class CDrainage {
  public:
    // Off the map's edge, and into the sea: what a tile drains to instead of a tile.
    static constexpr int kOffTheMap = -2;
    static constexpr int kIntoTheSea = -1;

    // water marks the tiles of the sea (row by row).
    CDrainage(const CHeightField& heights, const std::vector<bool>& water);

    // The tile (x + y * width) the tile drains to, or kOffTheMap, or kIntoTheSea for the sea's
    // own tiles.
    int Downstream(int index) const { return downstream[index]; }
    bool IsSea(int index) const { return downstream[index] == kIntoTheSea; }
    // How many land tiles drain through the tile, itself included.
    int Flow(int index) const { return flow[index]; }
    // The heights with the depressions filled: never lower than the heights, and lower at every
    // tile's downstream tile.
    float Filled(int index) const { return filled[index]; }

  private:
    std::vector<int> downstream;
    std::vector<int> flow;
    std::vector<float> filled;
};

// Rivers where the flow of the drainage is large enough: narrow from the amount's threshold,
// wide from four times it, with pieces joined along the flow, mouths by the sea, forks where
// rivers meet (a narrow river joining a wide one ends in a narrow piece on the wide one's tile).
// Tiles that map files cannot hold rivers on get none.
void AddRivers(CTileGrid& grid, const CDrainage& drainage, RiverAmount amount, CRandom& random);
