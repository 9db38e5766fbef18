#pragma once

#include <cstdio>
#include <vector>

#include "subcommand.h"

// The tool's manual page in the man format, made from the texts that --help prints.
void PrintManualPage(std::FILE* out, const std::vector<const Subcommand*>& commands);
