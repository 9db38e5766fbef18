#pragma once

#include <string>

#include "art/map_art.h"
#include "image/dib_image.h"
#include "mapfile/map_file.h"
#include "model/tile_grid.h"

// A map with everything that travels in its file but the terrain table: the grid with its
// rivers, the custom and city art, the overview picture, and the header and section table of
// the file it came from. The editor and the command-line tool both hold their map in one.
class CMapDocument {
  public:
    CMapDocument() = default;
    CMapDocument(const CMapDocument&) = delete;
    CMapDocument& operator=(const CMapDocument&) = delete;

    // Replaces the map (and theTerrainTable) with a map file's; a failed load changes neither.
    // 0 or the code of LoadMap, with reason saying why: the loader's words where it has them,
    // else what the code means.
    int Load(const std::string& path, std::string* reason = nullptr);
    // 0 or the code of SaveMap, with reason as for Load.
    int Save(const std::string& path, std::string* reason = nullptr);
    // A width x height map of fillType with no art and its overview, as New makes it; false,
    // with no map left, when the tiles cannot be had.
    bool MakeNew(int width, int height, int fillType);
    // The map of a bitmap pair, with its overview: 0 or a warning (the map was made), or the
    // failure code of ImportBitmap (the map as it was, or none after running out of memory).
    int Import(const std::string& colorPath);
    // No map: no tiles and no art.
    void Clear();
    // Recolours the overview after the tiles or their art changed.
    void RebuildOverview();
    // The version of the file loaded or saved last, as "1.0.0.75".
    std::string VersionText() const;

    CTileGrid grid;
    CMapArt art{grid};
    CDibImage overview;
    MapFileLayout layout;
};
