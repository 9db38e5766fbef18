#include "model/random.h"

#include <gtest/gtest.h>

namespace {

// The generator's next seed and result, worked out by hand from
// seed' = seed * 22707277 + 1 (mod 2^32), result = lo + ((((seed' >> 8) & 0xFFFF) * c) >> 16).
TEST(RandomTest, SeedAndSmallRangesFollowTheGeneratorFormula) {
    CRandom random;
    random.Seed(0);
    EXPECT_EQ(random.seed, 0xFEED4321u);
    EXPECT_EQ(random.draws, 0u);

    random.Seed(1);
    // seed' = 22707278 = 0x015A7C4E; (seed' >> 8) & 0xFFFF = 0x5A7C = 23164;
    // 23164 * 10 >> 16 = 231640 / 65536 = 3.
    EXPECT_EQ(random.Range(0, 9), 3);
    EXPECT_EQ(random.seed, 22707278u);
    // seed'' = 22707278 * 22707277 + 1 mod 2^32 = 0x35F5F2A7 (515240626855506007 mod 2^32);
    // (0x35F5F2A7 >> 8) & 0xFFFF = 0xF5F2 = 62962; 100 + 62962 * 50 >> 16 = 100 + 48 = 148.
    EXPECT_EQ(random.Range(100, 149), 148);
    EXPECT_EQ(random.draws, 2u);
}

TEST(RandomTest, DegenerateRanges) {
    CRandom random(7);
    EXPECT_EQ(random.Range(5, 5), 5);
    EXPECT_EQ(random.draws, 1u);  // a one-value range still draws
    EXPECT_EQ(random.Range(3, 2), 0);
    EXPECT_EQ(random.draws, 1u);  // an empty range draws nothing
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(random.Range(-4, -4), -4);
    }
}

TEST(RandomTest, WideRangesCombineTwoDraws) {
    CRandom random(1);
    // Range(0, 65534) draws: first 3 * 0 ... computed as in the small case with c = 65535:
    // a = 23164 * 65535 >> 16 = 23163, b = 62962 * 65535 >> 16 = 62961.
    // (a * 65536 | b) mod 100000 = (1518010368 | 62961) mod 100000 = 1518073329 mod 100000 = 73329.
    EXPECT_EQ(random.Range(0, 99999), 73329);
    EXPECT_EQ(random.draws, 2u);
}

TEST(RandomTest, ResultsStayInsideTheRange) {
    CRandom random(12345);
    for (int i = 0; i < 10000; ++i) {
        int value = random.Range(-3, 6);
        ASSERT_GE(value, -3);
        ASSERT_LE(value, 6);
    }
}

}  // namespace
