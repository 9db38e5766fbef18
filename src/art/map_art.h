#pragma once

#include <array>
#include <memory>
#include <string>

#include "art/builtin_art.h"
#include "art/custom_terrain_art.h"
#include "foundation/lib_object_list.h"
#include "model/terrain_type.h"
#include "model/tile_grid.h"

// A cell of a built-in sheet: the sheet and the cell's top-left pixel in it.
struct SheetCell {
    const CDibImage* sheet = nullptr;
    int x = 0;
    int y = 0;
};

// The art of the map in a tile grid: the sixteen custom terrain art slots and the custom city
// art list, which travel in map files, and access to the built-in art its tiles show.
class CMapArt {
  public:
    explicit CMapArt(CTileGrid& grid);
    CMapArt(const CMapArt&) = delete;
    CMapArt& operator=(const CMapArt&) = delete;

    // What a new grid starts with: all sixteen slots unloaded (exit masks kept), no city art.
    void Reset();
    // Exchanges custom art and city art with another map's (each keeps its grid).
    void Swap(CMapArt& other);
    // Takes over the exit masks of another map's slots, as a map read in place would keep them.
    void KeepExitMasksOf(const CMapArt& other);

    // The slot of a custom type 26 to 41; null for any other type.
    CCustomTerrainArt* CustomArtFor(int type);
    const CCustomTerrainArt* CustomArtFor(int type) const;

    // Loads a BMP file into a new city art entry; false (nothing added) when the picture cannot
    // be loaded.
    bool AddCityArt(const std::string& path);
    // Removes and deletes an entry; other indexes are ignored.
    void RemoveCityArt(int index);
    const CLibObjectList& CityArt() const { return cityArt; }
    // Appends an entry read from a map file; the list owns it from now on.
    void AppendCityArt(CTerrainArt* entry) { cityArt.Append(entry); }
    // Takes an entry out of the list without deleting it (null for other indexes), and puts
    // one back at an index from 0 to the count.
    std::unique_ptr<CTerrainArt> TakeCityArt(int index);
    void InsertCityArt(int index, std::unique_ptr<CTerrainArt> entry);

    // The sheet of a built-in type (0 to 41) and the 50-pixel cell of subtype in it; no sheet
    // for types without one.
    SheetCell BuiltInSheet(int type, int subtype) const;
    // BuiltInSheet of the tile at (x, y), which must lie inside the grid.
    SheetCell TileArt(int x, int y) const;
    // The bitmap of a river piece; null for cells outside 0 to 80.
    const CDibImage* OverlayPiece(const RiverOverlay& item) const;
    // OverlayPiece of the k-th river piece of a tile; null when it has fewer pieces.
    const CDibImage* OverlayPieceAt(int x, int y, int k) const;

    CTileGrid& Grid() const { return grid; }

  private:
    CTileGrid& grid;
    std::array<CCustomTerrainArt, kCustomTypes> customArt;
    CLibObjectList cityArt;
};
