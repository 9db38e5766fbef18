#pragma once

#include <string>
#include <vector>

#include "document/map_document.h"
#include "map_json.h"

// Makes the map of a hand-written document into map. What the document leaves out is as a New
// map has it: theTerrainTable as it stands (read from the game data file), 192 x 112 tiles (or
// the size of the rows given) of grass with random cells, no rivers and no art; the overview is
// made from the tiles. Tiles are rows of "type:request" strings, custom art and city pictures
// paths of BMP pictures, imported as import-art and add-city-art do. Returns the paths of the
// pictures it read; a bad value throws CJsonPathError.
std::vector<std::string> MakeHandWrittenMap(const Json& document, CMapDocument& map);
