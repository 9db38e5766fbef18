#pragma once

#include "edit/map_edit.h"

// The map's scale in miles per tile, before and after.
class CMilesEdit : public CMapEdit {
  public:
    CMilesEdit(int before, int after);

    void Apply(MapTarget& target) override;
    void Revert(MapTarget& target) override;
    MapChange Change() const override;
    size_t MemoryBytes() const override { return sizeof(*this); }

  private:
    int before;
    int after;
};
