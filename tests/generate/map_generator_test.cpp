#include "generate/map_generator.h"

#include <gtest/gtest.h>

#include <cmath>

#include "check/map_check.h"
#include "generate/river_network.h"
#include "generate/seeded_heights.h"
#include "generate/terrain_levels.h"
#include "model/random.h"
#include "model/terrain_type.h"
#include "rivers/river_pieces.h"
#include "rivers/river_planner.h"
#include "support/map_builder.h"
#include "support/temp_dir.h"
#include "support/terrain_table_guard.h"
#include "transitions/terrain_families.h"

namespace {

// The river pieces' exits that lead neither into a piece of the same kind leading back, nor
// into open water, nor off the map, as "x,y " each.
std::string BrokenRiverExits(const CTileGrid& grid) {
    auto exitsOf = [&](int x, int y, int kind) {
        for (const RiverOverlay& piece : grid.GetOverlays(x, y)) {
            if (piece.kind == kind) {
                return static_cast<int>(RiverPieceInfoAt(piece.cell).exits);
            }
        }
        return 0;
    };
    std::string broken;
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            for (int kind = 0; kind < 2; ++kind) {
                for (int d = 0; d < 4; ++d) {
                    if ((exitsOf(x, y, kind) & RiverExit(d)) == 0) {
                        continue;
                    }
                    const int nx = x + kRiverSteps[d][0];
                    const int ny = y + kRiverSteps[d][1];
                    if (grid.Contains(nx, ny) &&
                        (exitsOf(nx, ny, kind) & RiverExit((d + 2) % 4)) == 0 &&
                        !IsOpenWaterTowards(grid, nx, ny, (d + 2) % 4)) {
                        broken += std::to_string(x) + "," + std::to_string(y) + " ";
                    }
                }
            }
        }
    }
    return broken;
}

bool IsWaterTile(const CTile& tile) {
    return IsWaterType(tile.type);
}

}  // namespace

// The land's bands follow the heights' quantiles: a ramp's land share is what was asked, each
// band takes its share of the land, and a higher tile never lies in a lower band.
TEST(TerrainLevelsTest, BandsSplitTheLandByItsQuantiles) {
    CHeightField ramp(100, 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 100; ++x) {
            ramp.Set(x, y, static_cast<float>(x * 10 + y));
        }
    }
    GenerationOptions options;
    const TerrainLevels levels = TerrainLevels::Of(ramp, options);
    EXPECT_NEAR(levels.LandShareOf(ramp), 0.45, 0.005);
    const int bandTypes[] = {TERRAIN_TYPE_GRASS,      TERRAIN_TYPE_HILLS_1,
                             TERRAIN_TYPE_HILLS_2,    TERRAIN_TYPE_MOUNTAIN_1,
                             TERRAIN_TYPE_MOUNTAIN_2, TERRAIN_TYPE_MOUNTAIN_3};
    const double bandShares[] = {0.55, 0.20, 0.10, 0.07, 0.05, 0.03};
    int counts[6] = {};
    int lastBand = 0;
    for (int h = 0; h < 1000; ++h) {
        if (!levels.IsLand(static_cast<float>(h))) {
            continue;
        }
        const int band = static_cast<int>(
            std::find(bandTypes, bandTypes + 6, levels.LandType(static_cast<float>(h))) -
            bandTypes);
        ASSERT_GE(band, lastBand) << h;
        lastBand = band;
        ++counts[band];
    }
    for (int band = 0; band < 6; ++band) {
        EXPECT_NEAR(counts[band] / 450.0, bandShares[band], 0.01) << band;
    }
    options.seaLevel = 899.5f;
    EXPECT_NEAR(TerrainLevels::Of(ramp, options).LandShareOf(ramp), 0.1, 0.01);
    options.seaLevel.reset();
    options.landShare = 1;
    EXPECT_EQ(TerrainLevels::Of(ramp, options).LandShareOf(ramp), 1);
}

// A valley running down to the sea with a pit in it: the pit is filled to its rim, every land
// tile drains to the sea or off the map, and the rivers follow the valley, narrow upstream and
// wide down to a mouth at the sea, every piece joined to the next.
TEST(RiverNetworkTest, AValleyDrainsThroughItsPitAndGetsARiverToTheSea) {
    TerrainTableGuard guard;
    LoadShippedGameData();
    constexpr int kWidth = 41;
    constexpr int kHeight = 40;
    constexpr int kShore = 36;
    CHeightField heights(kWidth, kHeight);
    std::vector<bool> water(kWidth * kHeight);
    CTileGrid grid;
    ASSERT_TRUE(grid.Allocate(kWidth, kHeight));
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool sea = y >= kShore;
            heights.Set(x, y, sea ? -1.0f : 0.5f * (kShore - y) + 2.0f * std::abs(x - 20));
            water[y * kWidth + x] = sea;
            grid.SetTile(sea ? TERRAIN_TYPE_OCEAN : TERRAIN_TYPE_GRASS, 1, x, y);
        }
    }
    heights.Set(20, 12, 2);  // the pit, its rim at 11.5 (the valley floor below it)
    const CDrainage drainage(heights, water);
    EXPECT_GT(drainage.Filled(12 * kWidth + 20), 11.4f);
    for (int i = 0; i < kWidth * kHeight; ++i) {
        if (water[i]) {
            continue;
        }
        EXPECT_GE(drainage.Filled(i), heights.At(i % kWidth, i / kWidth));
        int at = i;
        int steps = 0;
        while (at >= 0 && !water[at] && steps++ < kWidth * kHeight) {
            const int down = drainage.Downstream(at);
            if (down >= 0) {
                ASSERT_LT(drainage.Filled(down), drainage.Filled(at)) << at;
            }
            at = down;
        }
        ASSERT_TRUE(at == CDrainage::kOffTheMap || (at >= 0 && water[at])) << i;
    }
    // Nearly all of the land drains down the valley's floor.
    EXPECT_GT(drainage.Flow((kShore - 1) * kWidth + 20), kShore * kWidth / 2);

    CRandom random(4);
    AddRivers(grid, drainage, RiverAmount::Many, random);
    EXPECT_EQ(BrokenRiverExits(grid), "");
    const std::vector<RiverOverlay>& mouth = grid.GetOverlays(20, kShore - 1);
    ASSERT_EQ(mouth.size(), 1u);
    EXPECT_EQ(mouth[0].kind, kWideRiver);
    EXPECT_EQ(RiverPieceInfoAt(mouth[0].cell).shape, RiverPieceShape::kMouth);
    bool narrowUpstream = false;
    for (int y = 0; y < kShore; ++y) {
        for (const RiverOverlay& piece : grid.GetOverlays(20, y)) {
            narrowUpstream = narrowUpstream || piece.kind != kWideRiver;
        }
    }
    EXPECT_TRUE(narrowUpstream);
    AddRivers(grid, drainage, RiverAmount::None, random);  // adds nothing
    EXPECT_EQ(grid.GetOverlays(20, kShore - 1).size(), 1u);
}

// A whole map from a seed: the same seed gives the same file, byte for byte, another seed
// another map; the land takes the share asked for, and the coasts and rivers join up.
TEST(MapGeneratorTest, ASeedMakesTheSameWholeMapEveryTime) {
    TerrainTableGuard guard;
    LoadShippedGameData();
    TempDir dir;
    auto generate = [&](uint32_t seed, LandMask mask, double landShare, const std::string& name) {
        GenerationOptions options;
        options.seed = seed;
        options.landShare = landShare;
        options.desert = DesertSpread::Dry;
        CMapDocument map;
        EXPECT_TRUE(GenerateMap(SeededHeights(120, 80, seed, mask), options, map));
        int land = 0;
        for (int i = 0; i < 120 * 80; ++i) {
            land += !IsWaterTile(map.grid.Tiles()[i]);
        }
        EXPECT_NEAR(land / 9600.0, landShare, 0.02) << name;
        EXPECT_EQ(BrokenRiverExits(map.grid), "") << name;
        // Mountain feet follow the ranges: no lines of them through the hills where a cell
        // was missing, at most a few tiles that no cell fits.
        int looseFeet = 0;
        for (const MapFinding& finding : CheckMap(map, theTerrainTable, nullptr)) {
            looseFeet += finding.text.find("Mountain Trans") != std::string::npos;
        }
        EXPECT_LE(looseFeet, 4) << name;
        EXPECT_EQ(map.Save(dir.File(name)), 0);
        return ReadFileBytes(dir.File(name));
    };
    const std::vector<uint8_t> first = generate(7, LandMask::Continent, 0.45, "a.gmp");
    EXPECT_EQ(generate(7, LandMask::Continent, 0.45, "b.gmp"), first);
    EXPECT_NE(generate(8, LandMask::Continent, 0.45, "c.gmp"), first);
    generate(3, LandMask::Islands, 0.3, "islands.gmp");
    generate(3, LandMask::Coast, 0.6, "coast.gmp");
}
