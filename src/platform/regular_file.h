#pragma once

#include <string>

// Opens path for reading when it is a regular file. Maps, pictures and game data are only ever
// read from regular files: a FIFO would block the program for good, and a folder, device or
// socket is never a document. Returns the descriptor (close-on-exec), or -1 with problem set to
// what the system said or "not a regular file". Never blocks.
int OpenRegularFile(const std::string& path, std::string& problem);

// Whether path still names the file open as handle: another process may have removed it or put
// another in its place.
bool IsFileAt(int handle, const std::string& path);
