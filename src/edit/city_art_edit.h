#pragma once

#include <memory>
#include <vector>

#include "art/terrain_art.h"
#include "edit/map_edit.h"

// City pictures added to or deleted from the map's list. The edit holds the entries while they
// are out of the list, with the places they take in it.
class CCityArtEdit : public CMapEdit {
  public:
    // Pictures to append to the list, which holds count entries before them.
    static std::unique_ptr<CCityArtEdit> Adding(int count,
                                                std::vector<std::unique_ptr<CTerrainArt>> entries);
    // The entries at indexes (ascending, each in the list) to take out of it.
    static std::unique_ptr<CCityArtEdit> Deleting(std::vector<int> indexes);

    void Apply(MapTarget& target) override;
    void Revert(MapTarget& target) override;
    MapChange Change() const override { return {}; }
    size_t MemoryBytes() const override { return bytes; }

  private:
    CCityArtEdit(std::string name, bool adds, std::vector<int> indexes,
                 std::vector<std::unique_ptr<CTerrainArt>> entries);
    void PutBack(MapTarget& target);
    void TakeOut(MapTarget& target);
    // Keeps in bytes the most that the held entries came to.
    void CountHeld();

    bool adds;
    std::vector<int> indexes;
    std::vector<std::unique_ptr<CTerrainArt>> held;  // empty while the entries are in the list
    size_t bytes = 0;                                // the most the entries were found to hold
};
