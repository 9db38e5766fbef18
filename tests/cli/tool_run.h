#pragma once

#include <string>
#include <vector>

#include "support/temp_dir.h"

// What a run of the built tarvo-map program gave: exit status, both output streams and the
// most memory it held.
struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
    long peakKilobytes = 0;
};

// Runs tarvo-map with the arguments as a user's shell would, in the folder dir.
ToolRun RunTarvoMap(const TempDir& dir, const std::vector<std::string>& arguments);

bool FileExists(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> FolderContents(const std::string& folder);
