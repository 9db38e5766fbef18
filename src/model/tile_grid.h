#pragma once

#include <unordered_map>
#include <utility>
#include <vector>

#include "model/river_overlay.h"
#include "model/tile.h"

// The map being edited: width x height tiles in row-major order, each with an optional stack of
// river pieces. Whether it has unsaved changes is its edit history's to say.
class CTileGrid {
  public:
    CTileGrid() = default;
    virtual ~CTileGrid() = default;
    CTileGrid(const CTileGrid&) = delete;
    CTileGrid& operator=(const CTileGrid&) = delete;

    // Makes width x height default tiles without river pieces. Callers Clear first. False, with
    // the grid left empty, for sizes below 1 or when memory cannot be had.
    bool Allocate(int newWidth, int newHeight);
    // Releases tiles and river pieces; width and height become 0.
    void Clear();
    // Exchanges tiles, rivers and size with another grid.
    void SwapTiles(CTileGrid& other);
    // Becomes a copy of other's tiles, rivers and size; false, with the grid left empty, when
    // memory cannot be had.
    bool CopyFrom(const CTileGrid& other);

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    bool Contains(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height; }

    // Null outside the grid.
    CTile* GetTileAt(int x, int y);
    const CTile* GetTileAt(int x, int y) const;
    // All width x height tiles, row-major: tile (x, y) is element x + y * width. For the map
    // file code, which passes over every tile.
    CTile* Tiles() { return tiles.data(); }
    const CTile* Tiles() const { return tiles.data(); }
    // As GetTileAt, but an outside request is logged.
    const CTile* GetTileAtConst(int x, int y) const;
    // The resolved art cell, or -1 outside the grid (logged).
    int GetSubtypeAt(int x, int y) const;

    // CTile::Set on the tile; false outside the grid.
    bool SetTile(int type, int requestedSubtype, int x, int y);
    // SetTile(type, 0) on every tile, row by row.
    void FillAll(int type);
    // SetTile(type, requestedSubtype) on the tiles [left, right) x [top, bottom) that lie in the
    // grid, row by row.
    void FillRect(int type, int requestedSubtype, int left, int top, int right, int bottom);
    bool IsTypeUsed(int type) const;
    // SetTile(to, 0) on every tile of type from, row by row.
    void ReplaceType(int from, int to);

    // Checks the size and every tile's type, reporting bad tiles through the error collector
    // (at most ten messages and a closing notice). Stops once more than 30 errors are counted.
    int Verify() const;

    // River pieces, oldest first. Coordinates outside the grid are ignored.
    void AddOverlay(int x, int y, int kind, int cell);
    // Replaces the topmost piece, or adds one to a tile that has none.
    void SetLastOverlay(int x, int y, int kind, int cell);
    void RemoveLastOverlay(int x, int y);
    // Copies piece k; false when the tile has fewer than k + 1 pieces or lies outside.
    bool GetOverlay(int x, int y, int k, RiverOverlay& item) const;
    int GetOverlayCount(int x, int y) const;
    // The whole stack of a tile, oldest first (empty outside the grid), and its replacement.
    std::vector<RiverOverlay> GetOverlays(int x, int y) const;
    void SetOverlays(int x, int y, std::vector<RiverOverlay> pieces);
    // The tiles that carry river pieces, as (x, y), column by column: the order of map files.
    std::vector<std::pair<int, int>> TilesWithRivers() const;

  private:
    using RiverStack = std::vector<RiverOverlay>;

    int Index(int x, int y) const { return x + y * width; }
    void VerifyTile(int x, int y, int& errors) const;

    std::vector<CTile> tiles;
    int width = 0;
    int height = 0;
    // The river pieces of the tiles that have any, by tile index. Rivers are few, so a table
    // entry for every tile would cost a large map megabytes for nothing.
    std::unordered_map<int, RiverStack> overlays;
};
