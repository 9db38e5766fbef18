#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "art/map_art.h"
#include "edit/map_change.h"
#include "image/dib_image.h"
#include "model/terrain_table.h"

// What edits change: the map's art with its grid, the overview picture drawn from them, which
// every edit keeps in step, and the terrain table that travels with the map.
struct MapTarget {
    CMapArt& art;
    CDibImage& overview;
    CTerrainTable& table;
};

// One step of the edit history. The map editor makes it and lets it apply itself; afterwards it
// can revert itself and apply itself again, and keeps only what that needs.
class CMapEdit {
  public:
    explicit CMapEdit(std::string name) : name(std::move(name)) {}
    virtual ~CMapEdit() = default;
    CMapEdit(const CMapEdit&) = delete;
    CMapEdit& operator=(const CMapEdit&) = delete;

    // The name the Edit menu shows: "Undo Rect of Terrain".
    const std::string& Name() const { return name; }
    virtual void Apply(MapTarget& target) = 0;
    virtual void Revert(MapTarget& target) = 0;
    // What Apply and Revert change.
    virtual MapChange Change() const = 0;
    // What the step holds in memory.
    virtual size_t MemoryBytes() const = 0;

  private:
    std::string name;
};
