#pragma once

#include <string>

// The game data file that comes with the programs: beside the program in a build tree
// (programFolder/gamedata/tarvo.ini), or where an installation puts it
// (programFolder/../share/tarvo-map/gamedata/tarvo.ini). When neither exists, the one beside the
// program, so that messages name the place a build would put it.
std::string BundledGameDataFile(const std::string& programFolder);

// The folder of the running program, without a trailing slash.
std::string RunningProgramFolder();
