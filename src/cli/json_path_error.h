#pragma once

#include <stdexcept>
#include <string>

// A bad value of a JSON document, named by its path ("tiles[3][17]") in the text.
class CJsonPathError : public std::runtime_error {
  public:
    CJsonPathError(const std::string& path, const std::string& problem)
        : std::runtime_error(path + ": " + problem) {}
};
