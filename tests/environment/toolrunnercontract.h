#pragma once
// What every ToolRunner must do, as a typed test suite: each test program that has a runner
// instantiates it with INSTANTIATE_TYPED_TEST_SUITE_P.

#include "environment/toolrunner.h"
#include "tempdir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace corvane::test {

inline std::string Script(const TempDir& dir, std::string_view name, std::string_view body) {
    const std::string path = dir.write(name, "#!/bin/sh\n" + std::string(body) + "\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

template <typename Runner> class ToolRunnerContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(ToolRunnerContract);

namespace fs = std::filesystem;

TYPED_TEST_P(ToolRunnerContract, returnsTheExitCode) {
    TempDir dir;
    TypeParam runner;
    const auto ok = runner.run(Script(dir, "ok.sh", "echo fine"), {}, dir.path());
    EXPECT_TRUE(ok.started);
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_TRUE(ok.succeeded());
    EXPECT_EQ(ok.output, "fine\n");

    const auto failed = runner.run(Script(dir, "fail.sh", "echo broken >&2; exit 3"), {}, dir.path());
    EXPECT_TRUE(failed.started);
    EXPECT_EQ(failed.exitCode, 3);
    EXPECT_FALSE(failed.succeeded());
    EXPECT_EQ(failed.output, "broken\n");
}

TYPED_TEST_P(ToolRunnerContract, passesTheArguments) {
    TempDir dir;
    TypeParam runner;
    const auto result =
        runner.run(Script(dir, "args.sh", "printf '%s|' \"$@\""), {"/ep", "/np", "two words"}, dir.path());
    EXPECT_EQ(result.output, "/ep|/np|two words|");
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
    const auto result = runner.run(Script(dir, "ok.sh", "exit 0"), {}, dir.file("TempData"));
    EXPECT_FALSE(result.started);
    EXPECT_FALSE(result.error.empty());
}

TYPED_TEST_P(ToolRunnerContract, theWorkingFolderIsTheChildsOnly) {
    TempDir dir;
    const std::string work = dir.mkdir("Program Folder/TempData");
    const auto before = fs::current_path();
    TypeParam runner;
    const auto result = runner.run(Script(dir, "where.sh", "pwd -P > where.txt"), {}, work);
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(dir.read("Program Folder/TempData/where.txt"), fs::canonical(work).string() + "\n");
    EXPECT_EQ(fs::current_path(), before);

    // A program given relative to the caller's current folder is found from there.
    const std::string relative = fs::relative(Script(dir, "ok.sh", "exit 5"), before).string();
    ASSERT_NE(relative.find('/'), std::string::npos);
    EXPECT_EQ(runner.run(relative, {}, work).exitCode, 5);
}

TYPED_TEST_P(ToolRunnerContract, aWindowsProgramRunsThroughWine) {
    TempDir dir;
    // A stand-in for wine that notes what it was asked to run.
    const std::string wine = Script(dir, "fake-wine", "printf '%s|' \"$@\" > wine-args.txt; exit 7");
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
    const auto result = runner.run(Script(dir, "killed.sh", "echo begun; kill -9 $$"), {}, dir.path());
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, -1);
    EXPECT_FALSE(result.succeeded());
    EXPECT_NE(result.error.find("killed.sh"), std::string::npos) << result.error;
    EXPECT_EQ(result.output, "begun\n");
}

TYPED_TEST_P(ToolRunnerContract, foldersWhoseNamesAreNotUtf8) {
    TempDir dir;
    // Linux allows any bytes in a name; the program and its working folder are found all the same.
    const std::string folder = dir.mkdir("Corvane \xE9t\xE9\xFF");
    const std::string work = dir.mkdir("Corvane \xE9t\xE9\xFF/TempData");
    TypeParam runner;
    const auto result = runner.run(Script(dir, "Corvane \xE9t\xE9\xFF/tool.sh", "pwd -P > here.txt; exit 4"),
                                   {"/np"}, work);
    EXPECT_TRUE(result.started) << result.error;
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_EQ(dir.read("Corvane \xE9t\xE9\xFF/TempData/here.txt"), fs::canonical(work).string() + "\n");
    (void)folder;
}

REGISTER_TYPED_TEST_SUITE_P(ToolRunnerContract, foldersWhoseNamesAreNotUtf8, returnsTheExitCode, passesTheArguments, aMissingProgramIsNotStarted, aMissingWorkingFolderMeansNoStart, theWorkingFolderIsTheChildsOnly, aWindowsProgramRunsThroughWine, aSignalIsNoNormalEnd);

} // namespace corvane::test
