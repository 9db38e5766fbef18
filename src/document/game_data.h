#pragma once

#include <string>

// Reads a game data file into theTerrainTable, keeping the table whole as it was when the file
// cannot be read or a line of it is bad. 0 or the code of CTerrainTable::LoadGameData, with
// problem saying what went wrong.
int ReadGameData(const std::string& path, std::string& problem);
