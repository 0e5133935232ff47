#pragma once
// What every ToolRunner must do, as a typed test suite: each test program that has a runner
// instantiates it with INSTANTIATE_TYPED_TEST_SUITE_P.

#include "hostpath.h"
#include "platform/toolrunner.h"
#include "platformtest.h"
#include "recordingprogress.h"
#include "scriptedtool.h"
#include "tempdir.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>

namespace corvane::test {

// A folder as a program that runs there sees it as its current folder.
inline std::string AsCurrentFolder(const std::string& folder) {
#ifdef _WIN32
    return folder.substr(0, folder.size() - 1);
#else
    return std::filesystem::canonical(folder).string();
#endif
}

template <typename Runner> class ToolRunnerContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(ToolRunnerContract);

namespace fs = std::filesystem;

TYPED_TEST_P(ToolRunnerContract, returnsTheExitCode) {
    TempDir dir;
    TypeParam runner;
    const auto ok = runner.run(ScriptedTool(dir, "ok.exe", "out fine"), {}, dir.path());
    EXPECT_TRUE(ok.started);
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_TRUE(ok.succeeded());
    EXPECT_EQ(ok.output, "fine\n");

    const auto failed = runner.run(ScriptedTool(dir, "fail.exe", "err broken\nexit 3"), {}, dir.path());
    EXPECT_TRUE(failed.started);
    EXPECT_EQ(failed.exitCode, 3);
    EXPECT_FALSE(failed.succeeded());
    EXPECT_EQ(failed.output, "broken\n");
}

TYPED_TEST_P(ToolRunnerContract, aMissingProgramIsNotStarted) {
    TempDir dir;
    TypeParam runner;
    const auto result = runner.run(dir.file("TDecompiler.exe"), {"/np"}, dir.path());
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.exitCode, -1);
    EXPECT_FALSE(result.succeeded());
    EXPECT_NE(result.error.find("TDecompiler.exe"), std::string::npos) << result.error;
}

TYPED_TEST_P(ToolRunnerContract, aMissingWorkingFolderMeansNoStart) {
    TempDir dir;
    TypeParam runner;
    const auto result = runner.run(ScriptedTool(dir, "ok.exe", "exit 0"), {}, dir.file("TempData"));
    EXPECT_FALSE(result.started);
    EXPECT_FALSE(result.error.empty());
}

TYPED_TEST_P(ToolRunnerContract, theWorkingFolderIsTheChildsOnly) {
    TempDir dir;
    const std::string work = dir.mkdir("Program Folder/TempData");
    const auto before = fs::current_path();
    TypeParam runner;
    const auto result = runner.run(ScriptedTool(dir, "where.exe", "cwd-to where.txt"), {}, work);
    EXPECT_TRUE(result.succeeded()) << result.error;
    EXPECT_EQ(dir.read("Program Folder/TempData/where.txt"), AsCurrentFolder(work) + "\n");
    EXPECT_EQ(fs::current_path(), before);

    // A program given relative to the caller's current folder is found from there.
    ScriptedTool(dir, "Tools/five.exe", "exit 5");
    fs::current_path(FsPath(dir.path()));
    const auto relative = runner.run("Tools/five.exe", {}, work);
    fs::current_path(before);
    EXPECT_EQ(relative.exitCode, 5) << relative.error;
}

TYPED_TEST_P(ToolRunnerContract, aWindowsProgramRunsThroughWine) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows runs Windows programs itself";
#endif
    TempDir dir;
    // A stand-in for wine that notes what it was asked to run.
    const std::string wine = ScriptedTool(dir, "fake-wine", "args-to wine-args.txt\nexit 7");
    const std::string tool = dir.write("Tools/TCompiler.exe", std::string("MZ\x90\x00", 4));
    TypeParam runner(wine);
    const auto result = runner.run(tool, {"/ep", "/np"}, dir.path());
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_EQ(dir.read("wine-args.txt"), tool + "|/ep|/np|");

    // Without wine a Windows program cannot be started, and the error says so.
    TypeParam noWine(dir.file("no-such-wine"));
    const auto missing = noWine.run(tool, {}, dir.path());
    EXPECT_FALSE(missing.started);
    EXPECT_NE(missing.error.find("no-such-wine"), std::string::npos) << missing.error;
}

TYPED_TEST_P(ToolRunnerContract, aSignalIsNoNormalEnd) {
    TempDir dir;
    TypeParam runner;
    const auto result = runner.run(ScriptedTool(dir, "killed.exe", "out begun\ncrash"), {}, dir.path());
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, -1);
    EXPECT_FALSE(result.succeeded());
    EXPECT_NE(result.error.find("killed.exe"), std::string::npos) << result.error;
    EXPECT_EQ(result.output, "begun\n");
}

TYPED_TEST_P(ToolRunnerContract, foldersWithBlanksAndLettersBeyondAscii) {
    TempDir dir;
    // "Πτήσεις 飛行機" as UTF-8, and on Linux (which allows any bytes in a name) a name that is not
    // UTF-8: the program's folder and its working folder; the first also as an argument. (Windows names
    // are UTF-16: every name has its UTF-8.)
    std::vector<std::string> names{"Corvane \xCE\xA0\xCF\x84\xCE\xAE\xCF\x83\xCE\xB5\xCE\xB9\xCF\x82 "
                                   "\xE9\xA3\x9B\xE8\xA1\x8C\xE6\xA9\x9F"};
#ifndef _WIN32
    names.push_back("Corvane \xE9t\xE9\xFF");
#endif
    TypeParam runner;
    for (const std::string& name : names) {
        const std::string work = dir.mkdir(name + "/TempData");
        const auto result =
            runner.run(ScriptedTool(dir, name + "/tool.exe", "cwd-to here.txt\nargs-to args.txt\nexit 4"),
                       {"/np", names.front()}, work);
        EXPECT_TRUE(result.started) << result.error;
        EXPECT_EQ(result.exitCode, 4);
        EXPECT_EQ(dir.read(name + "/TempData/here.txt"), AsCurrentFolder(work) + "\n");
        EXPECT_EQ(dir.read(name + "/TempData/args.txt"), "/np|" + names.front() + "|");
    }
}

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

inline long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TYPED_TEST_P(ToolRunnerContract, aToolPastItsTimeLimitIsStopped) {
    TempDir dir;
    TypeParam runner;
    ToolRunOptions options;
    // A tool that ends in time is no time-out. How long it takes beyond its sleep is what starting and
    // ending a program costs here (under Wine on a busy machine, seconds): the bounds below add it.
    options.timeLimit = 5000ms;
    const auto quick = Clock::now();
    EXPECT_TRUE(runner.run(ScriptedTool(dir, "quick.exe", "sleep 300"), {}, dir.path(), options).succeeded());
    const long long overhead = std::max(0LL, MillisecondsSince(quick) - 300);

    options.timeLimit = 300ms;
    const auto start = Clock::now();
    const auto result =
        runner.run(ScriptedTool(dir, "hangs.exe", "out begun\nsleep 30000"), {}, dir.path(), options);
    EXPECT_LT(MillisecondsSince(start), 2500 + overhead) << "asked to end, it ends at once";
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.stop, ToolStop::TimedOut);
    EXPECT_EQ(result.exitCode, -1);
    EXPECT_FALSE(result.succeeded());
    EXPECT_NE(result.error.find("did not end within 300 ms"), std::string::npos) << result.error;
    EXPECT_EQ(result.output, "begun\n");

    // One that ignores the request to end is killed after the grace.
    const auto stubborn = Clock::now();
    const auto killed =
        runner.run(ScriptedTool(dir, "stubborn.exe", "ignore-stop\nsleep 30000"), {}, dir.path(), options);
    EXPECT_EQ(killed.stop, ToolStop::TimedOut);
#ifndef _WIN32
    // (On Windows the request is Ctrl+Break or closing the tool's windows; a runner without a console
    // cannot send the one to a tool without the other, and ends it at once.)
    EXPECT_GE(MillisecondsSince(stubborn), 300 + kToolStopGrace.count() - 200);
#endif
    EXPECT_LT(MillisecondsSince(stubborn), 300 + kToolStopGrace.count() + 3000 + overhead);
}

TYPED_TEST_P(ToolRunnerContract, theWaitIsShownAndCanBeCancelled) {
    TempDir dir;
    TypeParam runner;
    test::RecordingProgress progress;
    ToolRunOptions options;
    options.progress = &progress;
    options.title = "Decompiling Traffic.bgl...";
    options.cancellable = true;
    // The seconds as they pass, and the end of the wait.
    auto result = runner.run(ScriptedTool(dir, "slow.exe", "sleep 1300\nexit 0"), {}, dir.path(), options);
    EXPECT_TRUE(result.succeeded()) << result.error;
    EXPECT_EQ(progress.events(), (std::vector<std::string>{"wait:Decompiling Traffic.bgl...||cancellable",
                                                           "0 s", "1 s", "end"}));
    EXPECT_EQ(progress.depth(), 0);

    // Cancel ends the tool at once.
    progress.clear();
    progress.cancelAfter(3);
    const auto start = Clock::now();
    result = runner.run(ScriptedTool(dir, "long.exe", "out begun\nsleep 30000"), {}, dir.path(), options);
    EXPECT_LT(MillisecondsSince(start), 2500);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.stop, ToolStop::Cancelled);
    EXPECT_FALSE(result.succeeded());
    EXPECT_NE(result.error.find("was cancelled"), std::string::npos) << result.error;
    EXPECT_EQ(progress.events().back(), "end");
    EXPECT_EQ(progress.depth(), 0);

    // A run that may not be cancelled runs to its end whatever the user presses.
    progress = test::RecordingProgress();
    progress.cancelAfter(0);
    options.cancellable = false;
    options.title = "Compiling Traffic.bgl...";
    options.note = "It cannot be cancelled.";
    result = runner.run(ScriptedTool(dir, "compiles.exe", "sleep 500\nout done"), {}, dir.path(), options);
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(result.output, "done\n");
    EXPECT_EQ(progress.events().front(),
              "wait:Compiling Traffic.bgl...|It cannot be cancelled.|not cancellable");
}

TYPED_TEST_P(ToolRunnerContract, theRunsOwnEnvironmentVariables) {
    TempDir dir;
    TypeParam runner;
    SetEnv("CORVANE_INHERITED", "inherited");
    SetEnv("CORVANE_REPLACED", "old");
    ToolRunOptions options;
    options.environment = {{"CORVANE_REPLACED", "new"}, {"CORVANE_ADDED", "a=b c"}};
    const auto result =
        runner.run(ScriptedTool(dir, "env.exe", "env CORVANE_INHERITED CORVANE_REPLACED CORVANE_ADDED"), {},
                   dir.path(), options);
    EXPECT_EQ(result.output, "inherited|new|a=b c|");
    EXPECT_STREQ(::getenv("CORVANE_REPLACED"), "old") << "the caller's own environment stays";
    UnsetEnv("CORVANE_INHERITED");
    UnsetEnv("CORVANE_REPLACED");
}

TYPED_TEST_P(ToolRunnerContract, theRunEndsWithTheToolNotWithWhatItLeftBehind) {
    TempDir dir;
    TypeParam runner;
    // A program the tool started holds the output open after the tool has ended.
    const auto start = Clock::now();
    const auto result = runner.run(ScriptedTool(dir, "leaves.exe", "leave 5000\nout done\nexit 0"), {},
                                   dir.path(), ToolRunOptions{});
    EXPECT_TRUE(result.succeeded());
    EXPECT_LT(MillisecondsSince(start), 4000);
    EXPECT_EQ(result.output, "done\n");
}

REGISTER_TYPED_TEST_SUITE_P(ToolRunnerContract, foldersWithBlanksAndLettersBeyondAscii, returnsTheExitCode,
                            aMissingProgramIsNotStarted, aMissingWorkingFolderMeansNoStart,
                            theWorkingFolderIsTheChildsOnly, aWindowsProgramRunsThroughWine,
                            aSignalIsNoNormalEnd, aToolPastItsTimeLimitIsStopped,
                            theWaitIsShownAndCanBeCancelled, theRunsOwnEnvironmentVariables,
                            theRunEndsWithTheToolNotWithWhatItLeftBehind);

} // namespace corvane::test
