#include <gtest/gtest.h>

#include "cli_test.h"
#include "tool_run.h"

namespace {

const std::vector<std::string> kCommands = {
    "info", "dump", "new", "import", "export", "gamedata", "render", "import-art", "add-city-art"};

TEST(CommandLineTest, HelpListsAndExplainsEveryCommand) {
    TempDir dir;
    ToolRun overview = RunTarvoMap(dir, {"--help"});
    EXPECT_EQ(overview.status, 0);
    for (const std::string& command : kCommands) {
        EXPECT_NE(overview.out.find("  " + command + " "), std::string::npos) << command;
        ToolRun help = RunTarvoMap(dir, {command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_EQ(help.out.rfind("Usage: tarvo-map " + command + " ", 0), 0u) << help.out;
    }
    // Help wins over arguments that would be wrong.
    EXPECT_EQ(RunTarvoMap(dir, {"render", "-h"}).status, 0);
}

TEST(CommandLineTest, CommandLinesThatSayNothingEndWithStatusTwo) {
    TempDir dir;
    dir.Write("a.gmp", "a map");
    dir.Write("a.bmp", "a picture");
    ToolRun bare = RunTarvoMap(dir, {});
    EXPECT_EQ(bare.status, 2);
    EXPECT_NE(bare.err.find("Usage: tarvo-map COMMAND"), std::string::npos);

    ToolRun unknown = RunTarvoMap(dir, {"convert", "a.gmp"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown command 'convert'"), std::string::npos);

    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"info"}, "too few arguments"},
        {{"info", "a.gmp", "b.gmp"}, "unexpected argument b.gmp"},
        {{"info", "a.gmp", "--json"}, "unknown option --json"},
        {{"render", "a.gmp", "a.png", "--tile"}, "--tile needs a value"},
        {{"render", "a.gmp", "a.png", "--tile", "30"},
         "--tile must be one of 50, 25, 10, 5, not '30'"},
        {{"gamedata", kGameData, "--json=yes"}, "--json takes no value"},
        {{"import-art", "a.gmp", "art.bmp", "--type", "25", "-o", "b.gmp"},
         "--type must be a whole number from 26 to 41"},
        {{"add-city-art", "a.gmp", "city.bmp"}, "-o is required"},
        {{"render", "a.gmp", "./a.gmp"}, "./a.gmp would overwrite the input a.gmp"},
        {{"import", "a.bmp", "--gamedata", kGameData, "-o", "a.bmp"},
         "a.bmp would overwrite the input a.bmp"},
        {{"new", "--gamedata", kGameData, "--width", "30", "--height", "30", "--fill", "grass",
          "-o", "a.gmp", "-o", "b.gmp"},
         "-o is given more than once"},
    };
    for (const Case& c : cases) {
        ToolRun run = RunTarvoMap(dir, c.arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Try 'tarvo-map " + c.arguments[0] + " --help'."),
                  std::string::npos);
    }
    EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>({"a.bmp", "a.gmp"}));
}

TEST(CommandLineTest, NewMapSizesFollowTheNewMapSizeDialog) {
    TempDir dir;
    auto runNew = [&](const std::string& width, const std::string& height) {
        return RunTarvoMap(dir, {"new", "--gamedata", kGameData, "--width", width, "--height",
                                 height, "--fill=ocean", "-o", "map.gmp"});
    };
    for (const char* width : {"19", "193", "-20", "40x", ""}) {
        ToolRun run = runNew(width, "40");
        EXPECT_EQ(run.status, 2) << width;
        EXPECT_NE(run.err.find("--width must be a whole number from 20 to 192"), std::string::npos);
        EXPECT_NE(run.err.find("New Map Size"), std::string::npos);
    }
    ToolRun tall = runNew("40", "113");
    EXPECT_EQ(tall.status, 2);
    EXPECT_NE(tall.err.find("--height must be a whole number from 20 to 112"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("map.gmp")));

    EXPECT_EQ(runNew("20", "112").status, 0);
    EXPECT_EQ(runNew("192", "20").status, 0);
}

TEST(CommandLineTest, FailedWorkEndsWithStatusOneAndNamesThePath) {
    TempDir dir;
    std::string notAMap = dir.Write("notes.gmp", "these are notes, not a map");
    for (const std::string command : {"info", "dump"}) {
        ToolRun run = RunTarvoMap(dir, {command, notAMap});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("tarvo-map: Unable to load map: " + notAMap + ": "),
                  std::string::npos)
            << run.err;
    }
    ToolRun missing = RunTarvoMap(dir, {"info", "missing.gmp"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("missing.gmp: No such file or directory"), std::string::npos);
}

}  // namespace
