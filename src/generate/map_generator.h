#pragma once

#include "document/map_document.h"
#include "generate/generation_options.h"
#include "generate/height_field.h"

// Makes a whole first draft of a map from heights, one tile a height: land and sea with their
// coasts and shallows, bands of grass (or desert), hills and mountains with their feet, rivers
// that run downhill to the sea, woods, farms and swamps, and the overview. Every tile asks for
// an exact cell, so the map looks the same whenever it is opened; the same heights, options and
// seed give the same map. False, with no map, when the tiles cannot be had.
bool GenerateMap(const CHeightField& heights, const GenerationOptions& options, CMapDocument& map);
