#pragma once

#include <string>
#include <vector>

#include "command_line.h"
#include "generate/generation_options.h"

// The options of the commands that make maps from heights, heightmap and generate, shared: the
// sea, the rivers, desert, woods, farms and swamps, the coast sheets and the seed.
const std::vector<OptionSpec>& GenerationOptionSpecs();
// What the options of a command line ask for; problems throw CUsageError.
GenerationOptions GenerationOptionsOf(const CCommandLine& line);
// The lines of --help that describe them.
extern const char* const kGenerationOptionsHelp;

// Makes the map of the heights and saves it to output; the exit status.
int SaveGeneratedMap(const class CHeightField& heights, const GenerationOptions& options,
                     const std::string& output);
