#pragma once

#include "model/random.h"
#include "model/terrain_table.h"

// Restores the process-wide terrain table and generator when a test is done with them.
class TerrainTableGuard {
  public:
    TerrainTableGuard() : savedTable(theTerrainTable), savedRandom(theRandom.seed) {}
    ~TerrainTableGuard() {
        theTerrainTable = savedTable;
        theRandom.Seed(savedRandom);
    }

  private:
    CTerrainTable savedTable;
    uint32_t savedRandom;
};
