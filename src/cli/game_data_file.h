#pragma once

#include <string>

#include "command_line.h"

// Reads a game data file into theTerrainTable as Open Tarvo.ini does. False, after telling the
// user which file and which key, when the file cannot be read or a terrain line is missing or
// malformed.
bool ReadGameDataFile(const std::string& path);

// The game data file a command reads: --gamedata when given, else the one installed with the
// tool.
std::string GameDataPath(const CCommandLine& line);
