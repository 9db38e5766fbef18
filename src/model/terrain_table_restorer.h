#pragma once

#include "model/terrain_table.h"

// Puts theTerrainTable back as it was when the restorer was made, unless Commit was called: a
// read that stops half-way must not leave the table half replaced.
class CTerrainTableRestorer {
  public:
    CTerrainTableRestorer() : saved(theTerrainTable) {}
    ~CTerrainTableRestorer() {
        if (!committed) {
            theTerrainTable = saved;
        }
    }
    CTerrainTableRestorer(const CTerrainTableRestorer&) = delete;
    CTerrainTableRestorer& operator=(const CTerrainTableRestorer&) = delete;

    void Commit() { committed = true; }

  private:
    CTerrainTable saved;
    bool committed = false;
};
