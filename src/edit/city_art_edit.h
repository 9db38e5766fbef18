#pragma once

#include <memory>
#include <vector>

#include "art/terrain_art.h"
#include "edit/map_edit.h"

// City pictures added to or deleted from the map's list. The edit holds the entries while they
// are out of the list, with the places they take in it.
class CCityArtEdit : public CMapEdit {
  public:
    // Pictures just appended at indexes (ascending), which the list holds now.
    static std::unique_ptr<CCityArtEdit> Added(std::vector<int> indexes, const CMapArt& art);
    // Pictures taken out of the list, with the indexes (ascending) they had.
    static std::unique_ptr<CCityArtEdit> Deleted(std::vector<int> indexes,
                                                 std::vector<std::unique_ptr<CTerrainArt>> entries);

    void Apply(MapTarget& target) override;
    void Revert(MapTarget& target) override;
    MapChange Change() const override;
    size_t MemoryBytes() const override { return bytes; }

  private:
    CCityArtEdit(std::string name, bool adds, std::vector<int> indexes);
    void PutBack(MapTarget& target);
    void TakeOut(MapTarget& target);

    bool adds;
    std::vector<int> indexes;
    std::vector<std::unique_ptr<CTerrainArt>> held;  // empty while the entries are in the list
    size_t bytes = 0;
};
