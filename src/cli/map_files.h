#pragma once

#include <string>

#include "document/map_document.h"

// The tool's load and save of a map file: false, after telling the user "Unable to load map"
// (or save) with the path and the reason.
bool LoadMapFile(CMapDocument& map, const std::string& path);
bool SaveMapFile(CMapDocument& map, const std::string& path);
