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
    // seed'' = 22707278 * 22707277 + 1 = 515620451462007, mod 2^32 = 0x3DD92B77;
    // (0x3DD92B77 >> 8) & 0xFFFF = 0xD92B = 55595; 100 + 55595 * 50 >> 16 = 100 + 42 = 142.
    EXPECT_EQ(random.Range(100, 149), 142);
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
    // Two draws of Range(0, 65534) from the seeds above:
    // a = 23164 * 65535 >> 16 = 23163, b = 55595 * 65535 >> 16 = 55594;
    // (a * 65536 | b) mod 100000 = 1518065962 mod 100000 = 65962.
    EXPECT_EQ(random.Range(0, 99999), 65962);
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
