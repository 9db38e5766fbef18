#pragma once

#include <string>

// Reads a game data file into theTerrainTable as Open Tarvo.ini does. False, after telling the
// user which file and which key, when the file cannot be read or a terrain line is missing or
// malformed.
bool ReadGameDataFile(const std::string& path);
