#pragma once

#include <cstdio>
#include <nlohmann/json.hpp>

#include "document/map_document.h"

// Fields keep the order in which they are added, so that the output reads like the file.
using Json = nlohmann::ordered_json;

// A terrain record with its fields named as in the dump.
Json TerrainRecordJson(const CTerrainType& record);
// milesPerTile and the terrain records 0 to 41 of theTerrainTable.
Json TerrainTableJson();
// Everything a map file holds as one line of JSON: version, game data, tiles, rivers and art,
// written as it goes, so that a map of any size takes little memory.
void WriteMapJson(const CMapDocument& map, std::FILE* out);
// The text of a JSON value on one line. Maps made on Windows carry paths in the system's code
// page; bytes that are not UTF-8 become U+FFFD instead of failing the whole output.
std::string JsonText(const Json& value);
// Text from a file as it may be printed on a terminal: control characters escaped (\n, \x1b,
// \u009b) and bytes that are not UTF-8 shown as U+FFFD, as dump does, but without quotes and
// with the quotes and backslashes it holds (Windows paths) left as they are.
std::string PrintableText(const std::string& text);
