#pragma once

#include "edit/map_edit.h"
#include "model/terrain_table.h"

// The terrain table before and after a change of the terrain dialogs: a type's record or the
// miles per tile. The whole table is a few kilobytes, so the edit simply keeps both.
class CTerrainTableEdit : public CMapEdit {
  public:
    CTerrainTableEdit(std::string name, const CTerrainTable& before, const CTerrainTable& after);

    void Apply(MapTarget& target) override;
    void Revert(MapTarget& target) override;
    MapChange Change() const override;
    size_t MemoryBytes() const override { return sizeof(*this); }

  private:
    CTerrainTable before;
    CTerrainTable after;
};
