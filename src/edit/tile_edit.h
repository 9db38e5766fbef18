#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "edit/map_edit.h"
#include "model/river_overlay.h"
#include "model/tile.h"
#include "rivers/river_planner.h"

// Tiles and river stacks changed by a paint stroke, a fill, a cut, a paste, a river edit or
// the grass that replaces an unloaded type: each changed tile's values before and after
// (16 bytes a tile), nothing of the tiles left alone.
//
// The edit makes its change itself, once, through PaintTile (as often as a stroke needs),
// ChangeRect or ReplaceType, keeping what the tiles held before; Finish then takes what they
// hold now, after which Revert and Apply switch between the two.
class CTileEdit : public CMapEdit {
  public:
    // Changes the tiles of the rectangle it is given (inside the grid).
    using RectChange = std::function<void(CTileGrid& grid, const TileRect& rect)>;

    explicit CTileEdit(std::string name);

    // Sets a tile as the paint tool does; false outside the grid. A tile painted again keeps
    // its first values, so that a stroke that passes a tile twice undoes to what it was.
    bool PaintTile(MapTarget& target, int type, int request, int x, int y);
    // Runs change on a rectangle inside the grid, which is then what the edit repaints; with
    // withRivers the rectangle's river stacks are kept too. For a fresh edit only.
    void ChangeRect(MapTarget& target, const TileRect& rect, bool withRivers,
                    const RectChange& change);
    // Every tile of type from becomes type to with a random cell. For a fresh edit only.
    void ReplaceType(MapTarget& target, int from, int to);
    // The river stacks of tiles (inside the grid) become the ones given. For a fresh edit
    // only.
    void SetRiverStacks(MapTarget& target, const std::vector<RiverStackChange>& stacks);
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

    // The indexes of the tiles of area that carry rivers.
    std::vector<uint32_t> RiverTilesIn(const CTileGrid& grid, const TileRect& area) const;
    void KeepRivers(const CTileGrid& grid, uint32_t index);
    void UpdateOverview(MapTarget& target) const;
    void Write(MapTarget& target, bool after) const;

    std::vector<TileChange> tiles;
    std::vector<RiverChange> rivers;
    // While a stroke records: where a painted tile's entry is.
    std::unordered_map<uint32_t, size_t> keptTiles;
    std::optional<TileRect> rect;
    int width = 0;  // of the grid, to turn indexes into tiles
};
