#include <algorithm>
#include <fstream>
#include <new>

#include "exit_status.h"
#include "game_data_file.h"
#include "hand_written_map.h"
#include "json_fields.h"
#include "json_path_error.h"
#include "map_files.h"
#include "mapfile/stored_map_writer.h"
#include "overwrite_guard.h"
#include "stored_map_json.h"
#include "subcommand.h"

namespace {

constexpr const char* kFailure = "Unable to build map";
constexpr const char* kTopLevelFields[] = {
    "form",  "header", "sections", "version",  "milesPerTile", "terrain",   "overview",
    "width", "height", "tiles",    "overlays", "cityArt",      "customArt", "uncovered",
};

// A field build does not know is a slip, not something to leave out quietly.
void RefuseUnknownFields(const Json& document) {
    FindMember(document, "", "form");
    for (const auto& [name, value] : document.items()) {
        if (std::find(std::begin(kTopLevelFields), std::end(kTopLevelFields), name) ==
            std::end(kTopLevelFields)) {
            throw CJsonPathError(name, "is not a field of a map document");
        }
    }
}

bool IsComplete(const Json& document) {
    const Json* form = FindMember(document, "", "form");
    if (form != nullptr && TextAt(*form, "form") != "complete") {
        throw CJsonPathError("form", "must be \"complete\" or left out");
    }
    return form != nullptr;
}

int BuildComplete(const Json& document, const std::string& output) {
    const StoredMap map = StoredMapFromJson(document);
    std::string reason;
    if (WriteStoredMap(map, output, reason) != 0) {
        return ReportFailure("Unable to save map", output, reason);
    }
    return kExitSuccess;
}

int BuildHandWritten(const Json& document, const CCommandLine& line, const std::string& input) {
    const std::string& output = line.Value("-o");
    const std::string gameData = GameDataPath(line);
    RefuseToOverwrite({input, gameData}, output);
    if (!ReadGameDataFile(gameData)) {
        return kExitFailure;
    }
    CMapDocument map;
    RefuseToOverwrite(MakeHandWrittenMap(document, map), output);
    return SaveMapFile(map, output) ? kExitSuccess : kExitFailure;
}

int RunBuild(const CCommandLine& line) {
    const std::string& input = line.Positionals()[0];
    const std::string& output = line.Value("-o");
    RefuseToOverwrite({input}, output);
    std::ifstream stream(input, std::ios::binary);
    if (!stream) {
        return ReportFailure(kFailure, input, "the file cannot be read");
    }
    try {
        const Json document = Json::parse(stream);
        RefuseUnknownFields(document);
        return IsComplete(document) ? BuildComplete(document, output)
                                    : BuildHandWritten(document, line, input);
    } catch (const Json::parse_error& error) {
        return ReportFailure(kFailure, input, error.what());
    } catch (const CJsonPathError& error) {
        return ReportFailure(kFailure, input, error.what());
    }
}

}  // namespace

const Subcommand& BuildCommand() {
    static const Subcommand command{
        "build",
        "[--gamedata INI] IN.json -o OUT.gmp",
        "write a map file from a JSON document",
        "Writes the map file a JSON document describes (docs/map.schema.json gives its form).\n"
        "A document printed by 'dump --complete' (\"form\": \"complete\") gives the same file\n"
        "again, byte for byte. A hand-written document may leave out anything: what it leaves\n"
        "out is as a New map has it (192 x 112 grass tiles, or the size of its rows, the\n"
        "terrain table of the game data file, no rivers, no art). Its tiles are rows of\n"
        "\"type:request\" strings, its custom art a list of {\"type\", \"art\": PICTURE.bmp}\n"
        "and its city art a list of BMP paths. A bad value is named by its path in the\n"
        "document, as tiles[3][17], and nothing is written.\n"
        "\n"
        "Options:\n"
        "  --gamedata INI   the game data file for what a hand-written document leaves out\n"
        "                   (default: the tarvo.ini installed with the tool)\n"
        "  -o OUT.gmp       the map file to write\n",
        {{"--gamedata"}, {"-o"}},
        1,
        1,
        RunBuild,
    };
    return command;
}
