#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "edit/map_edit.h"
#include "model/river_overlay.h"
#include "model/tile.h"

// Tiles and river stacks changed by a paint stroke, a fill, a cut, a paste, a river edit or
// the grass that replaces an unloaded type: each changed tile's values before and after
// (16 bytes a tile), nothing of the tiles left alone.
//
// Recording: Keep... the tiles about to change, change them on the grid, then Finish.
class CTileEdit : public CMapEdit {
  public:
    explicit CTileEdit(std::string name);

    // Keeps a tile (and with withRivers its river stack) as it is now; a tile kept again keeps
    // its first values, so that a stroke that passes a tile twice undoes to what it was.
    void KeepTile(const CTileGrid& grid, int x, int y, bool withRivers);
    // Keeps the tiles of a rectangle inside the grid, which is then what the edit repaints. For
    // a fresh edit only.
    void KeepRect(const CTileGrid& grid, const TileRect& rect, bool withRivers);
    // Keeps every tile of a type. For a fresh edit only.
    void KeepType(const CTileGrid& grid, int type);
    // After the change: what the kept tiles hold now. Tiles that came out as they were are
    // dropped.
    void Finish(const CTileGrid& grid);
    bool ChangedNothing() const { return tiles.empty() && rivers.empty(); }

    void Apply(MapTarget& target) override;
    void Revert(MapTarget& target) override;
    MapChange Change() const override;
    size_t MemoryBytes() const override;

  private:
    struct TileChange {
        uint32_t index;
        CTile before;
        CTile after;
    };
    static_assert(sizeof(TileChange) == 16, "a changed tile costs 16 bytes");
    struct RiverChange {
        uint32_t index;
        std::vector<RiverOverlay> before;
        std::vector<RiverOverlay> after;
    };

    void KeepRivers(const CTileGrid& grid, uint32_t index);
    void Write(MapTarget& target, bool after) const;

    std::vector<TileChange> tiles;
    std::vector<RiverChange> rivers;
    // While recording: where a kept tile's entry is.
    std::unordered_map<uint32_t, size_t> keptTiles;
    std::unordered_map<uint32_t, size_t> keptRivers;
    std::optional<TileRect> rect;
    int width = 0;  // of the grid, to turn indexes into tiles
};
