#pragma once

#include <memory>

#include "art/custom_terrain_art.h"
#include "edit/map_edit.h"
#include "edit/tile_edit.h"

// The art of a custom type imported or unloaded. The edit holds the art that is not in the
// slot: the old art after an import, the unloaded art after an unload; applying and reverting
// exchange the two. An unload also carries the tiles that became grass.
class CCustomArtEdit : public CMapEdit {
  public:
    // other: the art to put into the slot the first time Apply runs.
    CCustomArtEdit(std::string name, int type, CCustomTerrainArt&& other,
                   std::unique_ptr<CTileEdit> tiles = nullptr);

    void Apply(MapTarget& target) override;
    void Revert(MapTarget& target) override;
    MapChange Change() const override;
    size_t MemoryBytes() const override;

  private:
    void Exchange(MapTarget& target);

    int type;
    CCustomTerrainArt other;
    std::unique_ptr<CTileEdit> tiles;
    size_t pictureBytes = 0;  // of the larger of the two arts, which the edit holds in turn
};
