#pragma once

#include <cstdint>
#include <string>

#include "document/map_document.h"
#include "model/terrain_table.h"

// A copy of a map taken to be written away from the thread that edits it: the tiles with their
// rivers, the terrain table, the overview and the custom and city art, written as the map itself
// would be. The art is the costly part of the copy; while the map's art is unchanged it is taken
// over from the snapshot before, so that a copy of a map being painted costs its tiles alone.
class CMapSnapshot {
  public:
    // artRevision names the state of map's art (a count of its changes). A previous snapshot of
    // the same artRevision hands its art over; it must not be written any more.
    CMapSnapshot(const CMapDocument& map, const CTerrainTable& table, uint64_t artRevision,
                 CMapSnapshot* previous);
    CMapSnapshot(const CMapSnapshot&) = delete;
    CMapSnapshot& operator=(const CMapSnapshot&) = delete;

    // False when memory ran out while copying; such a snapshot cannot be written.
    bool IsComplete() const { return complete; }
    uint64_t ArtRevision() const { return artRevision; }
    // 0 or the code of SaveMap, with reason saying why.
    int Save(const std::string& path, std::string* reason);

  private:
    CTileGrid grid;
    CMapArt art{grid};
    CDibImage overview;
    CTerrainTable table;
    uint64_t artRevision;
    bool complete = true;
};
