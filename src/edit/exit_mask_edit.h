#pragma once

#include <array>
#include <cstdint>

#include "edit/map_edit.h"

// The 81 exit masks of a custom type as the exit table dialog left them, and as they were.
class CExitMaskEdit : public CMapEdit {
  public:
    using Masks = std::array<uint8_t, 81>;

    CExitMaskEdit(int type, const Masks& before, const Masks& after);

    void Apply(MapTarget& target) override;
    void Revert(MapTarget& target) override;
    MapChange Change() const override { return {}; }
    size_t MemoryBytes() const override { return sizeof(*this); }

  private:
    int type;
    Masks before;
    Masks after;
};
