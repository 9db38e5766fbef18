#pragma once

#include <stdexcept>
#include <string>

// Thrown by CFile when the system refuses a read, write, seek or close. Caught at the edge of
// the map file layer, which turns it into a result code.
class CFileException : public std::runtime_error {
  public:
    CFileException(const std::string& what, int systemError)
        : std::runtime_error(what), systemError(systemError) {}

    int systemError;  // errno of the failed call, 0 when there was none
};
