#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "exit_status.h"
#include "map_files.h"
#include "overwrite_guard.h"
#include "platform/output_file.h"
#include "png_render.h"
#include "subcommand.h"

namespace {

constexpr const char* kFailure = "Unable to render map";

// Writes into what the output file made aside, through a large buffer.
bool WriteRendering(const CMapArt& art, int tileSize, const COutputFile& file,
                    std::string& reason) {
    int descriptor = dup(file.Descriptor());
    std::FILE* out = descriptor >= 0 ? fdopen(descriptor, "wb") : nullptr;
    if (out == nullptr) {
        reason = std::strerror(errno);
        if (descriptor >= 0) {
            close(descriptor);
        }
        return false;
    }
    std::vector<char> buffer(size_t{1} << 20);
    std::setvbuf(out, buffer.data(), _IOFBF, buffer.size());
    bool written = RenderPng(art, tileSize, out, reason);
    if (std::fclose(out) != 0 && written) {
        reason = std::strerror(errno);
        written = false;
    }
    return written;
}

int RunRender(const CCommandLine& line) {
    const std::string& mapPath = line.Positionals()[0];
    // "-" is standard output, as for other tools that write one file.
    const std::string output = line.Positionals()[1] == "-" ? "/dev/stdout" : line.Positionals()[1];
    int tileSize =
        line.Has("--tile") ? std::stoi(line.Choice("--tile", {"50", "25", "10", "5"})) : 50;
    RefuseToOverwrite({mapPath}, output);
    CMapDocument map;
    if (!LoadMapFile(map, mapPath)) {
        return kExitFailure;
    }
    COutputFile file;
    std::string reason;
    if (!file.Begin(output)) {
        return ReportFailure(kFailure, output, file.Problem());
    }
    if (!WriteRendering(map.art, tileSize, file, reason)) {
        return ReportFailure(kFailure, output, reason);
    }
    if (!file.Commit()) {
        return ReportFailure(kFailure, output, file.Problem());
    }
    return kExitSuccess;
}

}  // namespace

const Subcommand& RenderCommand() {
    static const Subcommand command{
        "render",
        "MAP.gmp OUT.png [--tile 50|25|10|5]",
        "draw a map as a PNG picture",
        "Draws the whole map, terrain art and rivers, as the editor's map view shows it and\n"
        "writes it as an 8-bit RGB PNG picture, band by band in little memory, on all cores.\n"
        "An OUT.png of - writes the picture to standard output.\n"
        "\n"
        "Options:\n"
        "  --tile 50|25|10|5 pixels per tile (default 50)\n",
        {{"--tile"}},
        2,
        2,
        RunRender,
    };
    return command;
}
