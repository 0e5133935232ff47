#include "faketoolrunner.h"
#include "tempdir.h"

#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::FakeToolRunner;
using corvane::test::TempDir;

TEST(FakeToolRunner, followsItsScriptAndRecordsTheRuns) {
    TempDir dir;
    FakeToolRunner runner;
    runner
        .expectExit(
            0, [&](const FakeToolRunner::Call& call) { dir.write("TempData/aircraft.txt", call.program); })
        .expectExit(1)
        .expectStartFailure("not there");
    ToolRunner& tools = runner;

    EXPECT_TRUE(tools.run("/p/TDecompiler.exe", {"/np"}, "/p/TempData/").succeeded());
    EXPECT_EQ(dir.read("TempData/aircraft.txt"), "/p/TDecompiler.exe");
    const auto failed = tools.run("/p/TCompiler.exe", {"/ep", "/np"}, "/p/");
    EXPECT_TRUE(failed.started);
    EXPECT_EQ(failed.exitCode, 1);
    const auto notStarted = tools.run("/p/TCompiler.exe", {}, "/p/");
    EXPECT_FALSE(notStarted.started);
    EXPECT_EQ(notStarted.error, "not there");

    ASSERT_EQ(runner.calls().size(), 3u);
    EXPECT_EQ(runner.calls()[1].arguments, (std::vector<std::string>{"/ep", "/np"}));
    EXPECT_EQ(runner.calls()[0].workingFolder, "/p/TempData/");
}
