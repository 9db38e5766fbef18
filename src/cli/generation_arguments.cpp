#include "generation_arguments.h"

#include <array>
#include <cstdlib>
#include <sstream>

#include "document/map_document.h"
#include "exit_status.h"
#include "generate/map_generator.h"
#include "map_files.h"
#include "model/terrain_type.h"
#include "usage_error.h"

const char* const kGenerationOptionsHelp =
    "  --land-share P    P percent of the tiles above the sea (default 45)\n"
    "  --sea-level H     the sea up to the height H instead\n"
    "  --bands A,B,C,D,E where the grass (or desert), Low Hills, High Hills, Low Mountain\n"
    "                    and Med Mountain bands end, in percent of the land from the lowest,\n"
    "                    rising (default 55,75,85,92,97); High Mountain above\n"
    "  --rivers AMOUNT   none, few, some or many (default some)\n"
    "  --desert SPREAD   none, dry or south (default none): where the grass band turns to desert\n"
    "  --woods P         P percent of the land woods (default 12)\n"
    "  --farms P         P percent of the land farms (default 6)\n"
    "  --swamps P        P percent of the land swamps (default 2)\n"
    "  --coast A,B,C     the Grass-Ocean sheets coasts of grass may use (default A,B)\n"
    "  --seed N          the seed of every random choice (default 1)\n";

const std::vector<OptionSpec>& GenerationOptionSpecs() {
    static const std::vector<OptionSpec> specs = {
        {"--land-share"}, {"--sea-level"}, {"--bands"},  {"--rivers"}, {"--desert"},
        {"--woods"},      {"--farms"},     {"--swamps"}, {"--coast"},  {"--seed"}};
    return specs;
}

namespace {

double Percent(const CCommandLine& line, const std::string& name, double fallback) {
    return line.Has(name) ? line.Number(name, 0, 100, "percent") / 100.0 : fallback;
}

std::vector<int> CoastSheets(const std::string& text) {
    std::vector<int> sheets;
    std::istringstream in(text);
    for (std::string letter; std::getline(in, letter, ',');) {
        const int sheet = letter == "A"   ? TERRAIN_TYPE_GRASS_OCEAN_A
                          : letter == "B" ? TERRAIN_TYPE_GRASS_OCEAN_B
                          : letter == "C" ? TERRAIN_TYPE_GRASS_OCEAN_C
                                          : -1;
        if (sheet < 0) {
            throw CUsageError("--coast takes the sheets A, B and C, as A,B; not " + text);
        }
        sheets.push_back(sheet);
    }
    if (sheets.empty()) {
        throw CUsageError("--coast needs at least one of the sheets A, B and C");
    }
    return sheets;
}

std::array<double, 5> BandTops(const std::string& text) {
    std::array<double, 5> tops{};
    std::istringstream in(text);
    size_t count = 0;
    double last = 0;
    for (std::string part; std::getline(in, part, ',');) {
        char* end = nullptr;
        const double top = std::strtod(part.c_str(), &end);
        if (count == tops.size() || end == part.c_str() || *end != 0 || top < last || top > 100) {
            throw CUsageError(
                "--bands takes five rising percentages of the land, as "
                "55,75,85,92,97; not " +
                text);
        }
        tops[count++] = top / 100;
        last = top;
    }
    if (count != tops.size()) {
        throw CUsageError(
            "--bands takes five rising percentages of the land, as 55,75,85,92,97; "
            "not " +
            text);
    }
    return tops;
}

}  // namespace

GenerationOptions GenerationOptionsOf(const CCommandLine& line) {
    GenerationOptions options;
    options.landShare = Percent(line, "--land-share", options.landShare);
    if (line.Has("--sea-level")) {
        const std::string& text = line.Value("--sea-level");
        char* end = nullptr;
        const float level = std::strtof(text.c_str(), &end);
        if (end == text.c_str() || *end != 0) {
            throw CUsageError("--sea-level takes a height, not '" + text + "'");
        }
        options.seaLevel = level;
    }
    if (line.Has("--bands")) {
        options.bandTops = BandTops(line.Value("--bands"));
    }
    if (line.Has("--rivers")) {
        const std::string& amount = line.Choice("--rivers", {"none", "few", "some", "many"});
        options.rivers = amount == "none"   ? RiverAmount::None
                         : amount == "few"  ? RiverAmount::Few
                         : amount == "some" ? RiverAmount::Some
                                            : RiverAmount::Many;
    }
    if (line.Has("--desert")) {
        const std::string& spread = line.Choice("--desert", {"none", "dry", "south"});
        options.desert = spread == "none"  ? DesertSpread::None
                         : spread == "dry" ? DesertSpread::Dry
                                           : DesertSpread::South;
    }
    options.woodsShare = Percent(line, "--woods", options.woodsShare);
    options.farmsShare = Percent(line, "--farms", options.farmsShare);
    options.swampsShare = Percent(line, "--swamps", options.swampsShare);
    if (line.Has("--coast")) {
        options.transitions.coastSheets = CoastSheets(line.Value("--coast"));
    }
    if (line.Has("--seed")) {
        options.seed = static_cast<uint32_t>(line.Number("--seed", 0, 2147483647, "a seed"));
    }
    return options;
}

int SaveGeneratedMap(const CHeightField& heights, const GenerationOptions& options,
                     const std::string& output) {
    CMapDocument map;
    if (!GenerateMap(heights, options, map)) {
        return ReportFailure("Unable to save map", output, "out of memory for the tiles");
    }
    return SaveMapFile(map, output) ? kExitSuccess : kExitFailure;
}
