#include <cstdint>
#include <new>
#include <vector>

#include "exit_status.h"
#include "map_document.h"
#include "overwrite_guard.h"
#include "platform/output_file.h"
#include "png_writer.h"
#include "subcommand.h"

namespace {

constexpr const char* kFailure = "Unable to render map";
// Keeps the picture buffer (four bytes a pixel) within what these machines can hold.
constexpr int64_t kMaxMegapixels = 400;
constexpr int64_t kMaxPixels = kMaxMegapixels * 1000 * 1000;

std::string TooLargeReason(int64_t width, int64_t height, int tileSize) {
    std::string text =
        "the picture would be " + std::to_string(width) + " x " + std::to_string(height) +
        " pixels (" + std::to_string(width * height / 1000000) +
        " megapixels), above the limit of " + std::to_string(kMaxMegapixels) + " megapixels";
    return tileSize == 50 ? text + "; try --tile 25" : text;
}

int RunRender(const CCommandLine& line) {
    const std::string& mapPath = line.Positionals()[0];
    const std::string& output = line.Positionals()[1];
    int tileSize = line.Has("--tile") ? std::stoi(line.Choice("--tile", {"50", "25", "10"})) : 50;
    RefuseToOverwrite({mapPath}, output);
    CMapDocument map;
    if (!map.Load(mapPath)) {
        return kExitFailure;
    }
    int64_t width = int64_t{map.grid.GetWidth()} * tileSize;
    int64_t height = int64_t{map.grid.GetHeight()} * tileSize;
    if (width * height > kMaxPixels) {
        return ReportFailure(kFailure, output, TooLargeReason(width, height, tileSize));
    }
    std::vector<uint32_t> pixels;
    try {
        pixels.resize(static_cast<size_t>(width * height));
    } catch (const std::bad_alloc&) {
        return ReportFailure(kFailure, output, "out of memory for the picture");
    }
    RgbTarget picture{pixels.data(), static_cast<int>(width), static_cast<int>(height),
                      static_cast<int>(width)};
    RenderTiles(map.art, tileSize, 0, 0, map.grid.GetWidth(), map.grid.GetHeight(), picture, 0, 0);
    COutputFile file;
    std::string reason;
    if (!file.Begin(output)) {
        return ReportFailure(kFailure, output, file.Problem());
    }
    if (!WritePng(file.Descriptor(), picture, reason)) {
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
        "MAP.gmp OUT.png [--tile 50|25|10]",
        "draw a map as a PNG picture",
        "Draws the whole map, terrain art and rivers, as the editor's map view shows it and\n"
        "writes it as an 8-bit RGB PNG picture. Pictures above 400 megapixels are refused.\n"
        "\n"
        "Options:\n"
        "  --tile 50|25|10   pixels per tile (default 50)\n",
        {{"--tile"}},
        2,
        2,
        RunRender,
    };
    return command;
}
