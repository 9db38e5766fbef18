#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "command_line.h"

// One subcommand of the tool: its name, what --help prints, the options and the number of
// positional arguments it takes, and what it does. run returns the exit status and may throw
// CUsageError.
struct Subcommand {
    const char* name;
    const char* synopsis;  // the arguments, as the usage line shows them
    const char* summary;   // one line for the list of subcommands
    const char* details;   // the rest of --help
    std::vector<OptionSpec> options;
    size_t minPositionals;
    size_t maxPositionals;
    int (*run)(const CCommandLine& line);
};

const Subcommand& InfoCommand();
const Subcommand& DumpCommand();
const Subcommand& NewCommand();
const Subcommand& ImportCommand();
const Subcommand& ExportCommand();
const Subcommand& GameDataCommand();
const Subcommand& RenderCommand();
const Subcommand& ImportArtCommand();
const Subcommand& AddCityArtCommand();
const Subcommand& TransitionsCommand();
const Subcommand& RiverCommand();
const Subcommand& HeightmapCommand();
const Subcommand& GenerateCommand();
const Subcommand& CheckCommand();
const Subcommand& DiffCommand();
const Subcommand& BuildCommand();
