#include "platform/bundled_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace {

TEST(BundledGameDataFile, FoundBesideTheProgramThenInTheInstalledShareFolder) {
    TempDir root;
    const std::string bin = root.File("bin");
    std::filesystem::create_directories(bin);
    // Neither place has it: messages name the place a build puts it.
    EXPECT_EQ(BundledGameDataFile(bin), bin + "/gamedata/tarvo.ini");

    std::filesystem::create_directories(root.File("share/tarvo-map/gamedata"));
    root.Write("share/tarvo-map/gamedata/tarvo.ini", "[Terrain]\n");
    EXPECT_EQ(BundledGameDataFile(bin), root.File("share/tarvo-map/gamedata/tarvo.ini"));

    std::filesystem::create_directories(bin + "/gamedata");
    root.Write("bin/gamedata/tarvo.ini", "[Terrain]\n");
    EXPECT_EQ(BundledGameDataFile(bin), bin + "/gamedata/tarvo.ini");
}

}  // namespace
