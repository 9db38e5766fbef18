#pragma once

#include "edit/map_edit.h"
#include "model/terrain_type.h"

// A terrain type's record as the terrain type dialog's OK stored it, and the record before.
class CTerrainRecordEdit : public CMapEdit {
  public:
    CTerrainRecordEdit(int type, const CTerrainType& before, const CTerrainType& after);

    void Apply(MapTarget& target) override;
    void Revert(MapTarget& target) override;
    MapChange Change() const override;
    size_t MemoryBytes() const override { return sizeof(*this); }

  private:
    int type;
    CTerrainType before;
    CTerrainType after;
};
