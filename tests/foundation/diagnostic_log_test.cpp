#include "foundation/diagnostic_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "foundation/stderr_log.h"
#include "support/recording_log.h"

namespace {

TEST(DiagnosticLogTest, FormatsAndHandsTextToTheSink) {
    RecordingLog log;
    LogMessage(theDiagnosticLog, kLogInfo, "Verifying Map Grid size %d x %d", 20, 30);
    LogMessage(theDiagnosticLog, 0, "level 0 is never written");
    LogMessage(nullptr, kLogError, "no sink, no output");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].first, kLogInfo);
    EXPECT_EQ(log.lines[0].second, "Verifying Map Grid size 20 x 30");
}

TEST(DiagnosticLogTest, LongTextIsCutAt1023Characters) {
    RecordingLog log;
    std::string longText(5000, 'a');
    LogMessage(theDiagnosticLog, kLogError, "%s!", longText.c_str());
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].second, std::string(1023, 'a'));
}

TEST(DiagnosticLogTest, StderrSinkOnlyWhenAskedForInTheEnvironment) {
    unsetenv("TARVO_LOG");
    EXPECT_EQ(EnvironmentLog(), nullptr);
    setenv("TARVO_LOG", "1", 1);
    CDiagnosticLog* log = EnvironmentLog();
    unsetenv("TARVO_LOG");
    ASSERT_NE(log, nullptr);

    testing::internal::CaptureStderr();
    LogMessage(log, kLogError, "Empty terrain at (%d,%d)", 3, 4);
    LogMessage(log, kLogInfo, "Verifying Map Grid size %d x %d", 1, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tarvo error: Empty terrain at (3,4)\ntarvo info: Verifying Map Grid size 1 x 1\n");
}

}  // namespace
