#include "platform/error_collector.h"

#include <gtest/gtest.h>

#include "support/recording_log.h"
#include "support/scripted_interaction.h"

namespace {

TEST(ErrorCollectorTest, ShowsTenMessagesThenOneNoticeAndLogsEveryMessage) {
    ScriptedInteraction ui;
    RecordingLog log;
    int errors = 0;
    for (int i = 0; i < 12; ++i) {
        ReportError("problem " + std::to_string(i), errors);
    }
    EXPECT_EQ(errors, 12);
    ASSERT_EQ(ui.messages.size(), 11u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(ui.messages[i].text, "problem " + std::to_string(i));
        EXPECT_EQ(ui.messages[i].caption, "Tarvo Map Editor");
        EXPECT_EQ(ui.messages[i].buttons, MessageButtons::Ok);
    }
    EXPECT_EQ(ui.messages[10].text, " ... and even more errors, but we'll stop here.");
    ASSERT_EQ(log.lines.size(), 12u);
    EXPECT_EQ(log.lines[11].first, kLogError);
    EXPECT_EQ(log.lines[11].second, "problem 11");
}

TEST(ErrorCollectorTest, ShowsMessagesWithoutALogSink) {
    ScriptedInteraction ui;
    CDiagnosticLog* saved = theDiagnosticLog;
    theDiagnosticLog = nullptr;
    int errors = 3;
    ReportError("no sink", errors);
    theDiagnosticLog = saved;
    EXPECT_EQ(errors, 4);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"no sink"});
}

}  // namespace
