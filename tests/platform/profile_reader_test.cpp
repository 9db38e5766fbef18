#include "platform/profile_reader.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

TEST(ProfileReaderTest, ReadsAsTheWindowsProfileFunctionsDo) {
    TempDir dir;
    std::string path = dir.Write("game.ini",
                                 "\xEF\xBB\xBF; comment line\r\n"
                                 "orphan = before any section\n"
                                 "  [ Units ]  \r\n"
                                 "  miles_per_map_square   =   25  \r\n"
                                 "Quoted = \"  spaced  \"\n"
                                 "Single = 'x'\n"
                                 "Mismatched = \"x'\n"
                                 "Inline = 5 ; not a comment\n"
                                 "Empty =\n"
                                 "NoEquals\n"
                                 "Twice = first\n"
                                 "twice = second\n"
                                 "[units]\n"
                                 "Other = only in the second section\n");
    CProfileReader profile(path);
    EXPECT_EQ(profile.GetString("UNITS", "MILES_PER_MAP_SQUARE", "?"), "25");
    EXPECT_EQ(profile.GetString("Units", "Quoted", "?"), "  spaced  ");
    EXPECT_EQ(profile.GetString("Units", "Single", "?"), "x");
    EXPECT_EQ(profile.GetString("Units", "Mismatched", "?"), "\"x'");
    EXPECT_EQ(profile.GetString("Units", "Inline", "?"), "5 ; not a comment");
    EXPECT_EQ(profile.GetString("Units", "Empty", "?"), "");
    EXPECT_EQ(profile.GetString("Units", "NoEquals", "?"), "");
    EXPECT_EQ(profile.GetString("Units", "Twice", "?"), "first");
    // The first section of a name is the one that counts.
    EXPECT_EQ(profile.GetString("Units", "Other", "absent"), "absent");
    EXPECT_EQ(profile.GetString("Units", "orphan", "absent"), "absent");
    EXPECT_EQ(profile.GetString("Nowhere", "Quoted", "absent"), "absent");
}

TEST(ProfileReaderTest, IntegersAreSignAndLeadingDigits) {
    TempDir dir;
    std::string path = dir.Write("numbers.ini",
                                 "[N]\nplain=42\nnegative=-17\nplus=+8\ntrailing=12abc\n"
                                 "letters=abc\nempty=\nquoted=\"33\"\nhuge=4294967297\n");
    CProfileReader profile(path);
    EXPECT_EQ(profile.GetInt("N", "plain", 7), 42);
    EXPECT_EQ(profile.GetInt("N", "negative", 7), -17);
    EXPECT_EQ(profile.GetInt("N", "plus", 7), 8);
    EXPECT_EQ(profile.GetInt("N", "trailing", 7), 12);
    EXPECT_EQ(profile.GetInt("N", "letters", 7), 0);
    EXPECT_EQ(profile.GetInt("N", "empty", 7), 7);
    EXPECT_EQ(profile.GetInt("N", "quoted", 7), 33);
    EXPECT_EQ(profile.GetInt("N", "huge", 7), 1);  // wraps at 32 bits
    EXPECT_EQ(profile.GetInt("N", "absent", 7), 7);
}

TEST(ProfileReaderTest, AMissingFileHasNoKeys) {
    CProfileReader profile("/nonexistent/folder/tarvo.ini");
    EXPECT_FALSE(profile.Find("Units", "MILES_PER_MAP_SQUARE"));
    EXPECT_EQ(profile.GetInt("Units", "MILES_PER_MAP_SQUARE", 12), 12);
}

}  // namespace
