#include "environment/programstate.h"
#include "recordingprogress.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(ProgramState, programFolderEndsInOneSeparator) {
    EXPECT_EQ(ProgramFolderOf("/opt/corvane/bin/corvane"), "/opt/corvane/bin/");
    EXPECT_EQ(ProgramFolderOf("/corvane"), "/");
    EXPECT_EQ(ProgramFolderOf("corvane"), "./");
    const ProgramState fresh;
    EXPECT_TRUE(fresh.decompileNeeded);
    EXPECT_EQ(fresh.projectTag, kProjectNew);
}

TEST(ProgressTicker, passesOnlyChangedPercentages) {
    test::RecordingProgress progress;
    {
        ProgressScope scope(progress, "Saving AI Flights Database");
        ProgressTicker ticker(progress);
        for (int i = 0; i < 1000; ++i) ticker.show(i * 100 / 1000);
        ticker.show(99);
    }
    const auto& events = progress.events();
    ASSERT_EQ(events.size(), 102u);
    EXPECT_EQ(events.front(), "begin:Saving AI Flights Database");
    EXPECT_EQ(events[1], "0 %");
    EXPECT_EQ(events[100], "99 %");
    EXPECT_EQ(events.back(), "end");
    EXPECT_EQ(progress.depth(), 0);
}
