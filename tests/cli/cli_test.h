#pragma once

#include <gtest/gtest.h>

#include <string>

#include "document/map_document.h"
#include "support/map_builder.h"
#include "support/temp_dir.h"
#include "support/terrain_table_guard.h"

inline const std::string kGameData = TARVO_SOURCE_DIR "/gamedata/tarvo.ini";

// Tests that make maps in this process with the shipped game data and run the tool on them in
// a fresh folder.
class CliTest : public ::testing::Test {
  protected:
    void SetUp() override { LoadShippedGameData(); }

    TerrainTableGuard guard;
    TempDir dir;
};
