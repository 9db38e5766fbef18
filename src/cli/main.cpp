// tarvo-map: checks, converts and previews maps for designers and build scripts, without a
// display. Messages go to standard error; the exit status is 0 on success, 1 when the work
// failed and 2 when the command line does not say what to do.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "exit_status.h"
#include "manual_page.h"
#include "map_json.h"
#include "stderr_interaction.h"
#include "subcommand.h"
#include "usage_error.h"

namespace {

const std::vector<const Subcommand*>& Subcommands() {
    static const std::vector<const Subcommand*> all{
        &InfoCommand(),       &DumpCommand(),        &NewCommand(),    &ImportCommand(),
        &ExportCommand(),     &GameDataCommand(),    &RenderCommand(), &ImportArtCommand(),
        &AddCityArtCommand(), &TransitionsCommand(), &RiverCommand(),  &HeightmapCommand(),
        &GenerateCommand(),   &CheckCommand(),       &DiffCommand(),   &BuildCommand(),
    };
    return all;
}

const Subcommand* FindSubcommand(const std::string& name) {
    for (const Subcommand* command : Subcommands()) {
        if (name == command->name) {
            return command;
        }
    }
    return nullptr;
}

void PrintOverview(FILE* stream) {
    std::fprintf(stream,
                 "Usage: %s COMMAND ARGUMENTS...\n\n"
                 "Checks, converts and previews Tarvo maps without a display.\n\nCommands:\n",
                 kToolName);
    for (const Subcommand* command : Subcommands()) {
        std::fprintf(stream, "  %-14s%s\n", command->name, command->summary);
    }
    std::fprintf(stream,
                 "\nRun '%s COMMAND --help' for the arguments of a command.\n"
                 "Exit status: 0 success, 1 failure, 2 bad command line.\n",
                 kToolName);
}

void PrintHelp(const Subcommand& command) {
    std::printf("Usage: %s %s %s\n\n%s", kToolName, command.name, command.synopsis,
                command.details);
}

int RunSubcommand(const Subcommand& command, const std::vector<std::string>& arguments) {
    try {
        CCommandLine line(arguments, command.options);
        if (line.WantsHelp()) {
            PrintHelp(command);
            return kExitSuccess;
        }
        line.RequirePositionals(command.minPositionals, command.maxPositionals);
        return command.run(line);
    } catch (const CUsageError& error) {
        std::fprintf(stderr, "%s %s: %s\nUsage: %s %s %s\nTry '%s %s --help'.\n", kToolName,
                     command.name, error.what(), kToolName, command.name, command.synopsis,
                     kToolName, command.name);
        return kExitUsage;
    }
}

int RunTool(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        PrintOverview(stderr);
        return kExitUsage;
    }
    const std::string& name = arguments[0];
    if (name == "--help" || name == "-h") {
        PrintOverview(stdout);
        return kExitSuccess;
    }
    // For the build, which installs the manual page made from the same texts as --help.
    if (name == "--manual-page") {
        PrintManualPage(stdout, Subcommands());
        return kExitSuccess;
    }
    const Subcommand* command = FindSubcommand(name);
    if (command == nullptr) {
        std::fprintf(stderr, "%s: unknown command '%s'\nTry '%s --help'.\n", kToolName,
                     name.c_str(), kToolName);
        return kExitUsage;
    }
    return RunSubcommand(*command, {arguments.begin() + 1, arguments.end()});
}

// Output that never reached its reader (a full disk, a closed pipe) is a failure too.
int CheckStandardOutput(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        return ReportFailure("Unable to write the output", "standard output", std::strerror(errno));
    }
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A file size limit then fails the write (EFBIG), and the failure path removes what was
    // written aside, instead of the signal ending the tool with a stray file.
    std::signal(SIGXFSZ, SIG_IGN);
    CStderrInteraction interaction;
    theUserInteraction = &interaction;
    int status;
    try {
        status = RunTool({argv + 1, argv + argc});
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: out of memory\n", kToolName);
        status = kExitFailure;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s: %s\n", kToolName, PrintableText(failure.what()).c_str());
        status = kExitFailure;
    }
    theUserInteraction = nullptr;
    return CheckStandardOutput(status);
}
