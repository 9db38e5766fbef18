#pragma once

#include <string>

#include "art/map_art.h"
#include "image/dib_image.h"
#include "mapfile/map_file.h"
#include "model/tile_grid.h"

// The map a subcommand works on, held as the editor holds it: grid, art and overview picture,
// and the header and section table of the file it came from.
class CMapDocument {
  public:
    CMapDocument() = default;
    CMapDocument(const CMapDocument&) = delete;
    CMapDocument& operator=(const CMapDocument&) = delete;

    // False, after telling the user "Unable to load map" with the path and the reason.
    bool Load(const std::string& path);
    // False, after telling the user "Unable to save map" with the path and the reason.
    bool Save(const std::string& path);
    // A width x height map of fillType with its overview, as the editor's New makes it; false
    // when the tiles cannot be had.
    bool MakeNew(int width, int height, int fillType);
    // The version of the file loaded or saved last, as "1.0.0.75".
    std::string VersionText() const;
    // Recolours the overview after the tiles or their art changed.
    void RebuildOverview();

    CTileGrid grid;
    CMapArt art{grid};
    CDibImage overview;
    MapFileLayout layout;
};
