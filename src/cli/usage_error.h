#pragma once

#include <stdexcept>

// A command line that does not say what to do: the tool prints the text and a hint to --help
// and ends with the usage status.
class CUsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
