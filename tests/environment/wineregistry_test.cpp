#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/textfile.h"
#include "platform/wineregistry.h"
#include "platformtest.h"
#include "slowdown.h"
#include "tempdir.h"
#include "testprefix.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::MakeTestPrefix;
using corvane::test::NamesIn;
using corvane::test::ScopedEnv;
using corvane::test::TempDir;

namespace fs = std::filesystem;

namespace {

const std::string kSimSection =
    "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0] 1700000000\n"
    "\"EXE Path\"=\"C:\\\\Program Files\\\\Microsoft Games\\\\FS2002\"\n"
    "\"Other\"=\"kept \\\"as\\\" is\"\n";

const std::string kClassesSection = "\n[Software\\\\Classes\\\\.bgl] 1700000002\n@=\"bglfile\"\n";

std::string SystemReg() {
    return std::string(test::kFreshSystemReg) + "\n" + kSimSection + kClassesSection;
}

std::string WithBackslashes(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

} // namespace

TEST(WineRegistry, readsTheSimulatorValue) {
    TempDir dir;
    const auto prefix = MakeTestPrefix(dir, SystemReg());
    const WineRegistry registry{WinePrefix(prefix.folder)};
    // How system.reg's names and values are read is the reg file's test.
    EXPECT_EQ(GetRegString(registry, "LM", kSimulatorKey, kExePathValue),
              "C:\\Program Files\\Microsoft Games\\FS2002");
    EXPECT_EQ(GetRegString(registry, "LM", kSimulatorKey, "Missing"), "");
}

TEST(WineRegistry, classesRootIsTheClassesKeyOfTheMachine) {
    TempDir dir;
    const auto prefix = MakeTestPrefix(dir, SystemReg());
    WineRegistry registry{WinePrefix(prefix.folder)};
    EXPECT_EQ(GetRegString(registry, "CR", ".bgl", ""), "bglfile");
    EXPECT_EQ(GetRegString(registry, "LM", ".bgl", ""), "");
    SetRegString(registry, "CR", ".cvp", "", "Corvane.Project");
    EXPECT_EQ(GetRegString(registry, "LM", "Software\\Classes\\.cvp", ""), "Corvane.Project");
}

TEST(WineRegistry, writesOneValueAndKeepsTheRestOfTheFile) {
    TempDir dir;
    const auto prefix = MakeTestPrefix(dir, SystemReg());
    WineRegistry registry{WinePrefix(prefix.folder)};
    SetRegString(registry, "LM", kSimulatorKey, kExePathValue, "D:\\Games\\FS \"2002\"");

    std::string expected = SystemReg();
    const std::string oldLine = "\"EXE Path\"=\"C:\\\\Program Files\\\\Microsoft Games\\\\FS2002\"";
    expected.replace(expected.find(oldLine), oldLine.size(),
                     "\"EXE Path\"=\"D:\\\\Games\\\\FS \\\"2002\\\"\"");
    EXPECT_EQ(dir.read("prefix/system.reg"), expected);
    EXPECT_EQ(GetRegString(registry, "LM", kSimulatorKey, kExePathValue), "D:\\Games\\FS \"2002\"");
    // Replaced through a temporary file that is gone again.
    EXPECT_EQ(NamesIn(prefix.folder).size(), 3u);
}

TEST(WineRegistry, writesAMissingKey) {
    TempDir dir;
    const auto prefix = MakeTestPrefix(dir);
    WineRegistry registry{WinePrefix(prefix.folder)};
    SetRegString(registry, "LM", kSimulatorKey, kExePathValue, "C:\\FS2002");
    const std::string text = dir.read("prefix/system.reg");
    EXPECT_TRUE(text.starts_with(test::kFreshSystemReg));
    EXPECT_NE(text.find("\n\n[SOFTWARE\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0] "),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("\n\"EXE Path\"=\"C:\\\\FS2002\"\n"));
    EXPECT_EQ(GetRegString(registry, "LM", kSimulatorKey, kExePathValue), "C:\\FS2002");
}

TEST(WineRegistry, aMissingPrefixReadsEmptyAndTakesNoWrites) {
    TempDir dir;
    WineRegistry missing{WinePrefix(dir.file("no-prefix"))};
    EXPECT_EQ(GetRegString(missing, "LM", kSimulatorKey, kExePathValue), "");
    SetRegString(missing, "LM", kSimulatorKey, kExePathValue, "C:\\FS2002");
    EXPECT_FALSE(fs::exists(dir.file("no-prefix")));

    // A prefix that Wine has not set up (no system.reg) is not written either.
    dir.mkdir("bare");
    WineRegistry bare{WinePrefix(dir.file("bare"))};
    SetRegString(bare, "LM", kSimulatorKey, kExePathValue, "C:\\FS2002");
    EXPECT_EQ(NamesIn(dir.file("bare")).size(), 0u);
    EXPECT_EQ(GetRegString(bare, "LM", kSimulatorKey, kExePathValue), "");

    const WineRegistry none{WinePrefix("")};
    EXPECT_EQ(GetRegString(none, "LM", kSimulatorKey, kExePathValue), "");
}

TEST(WineRegistry, aWriteThatFailsLeavesTheFile) {
    TempDir dir;
    const auto prefix = MakeTestPrefix(dir, SystemReg());
    WineRegistry registry{WinePrefix(prefix.folder)};
    SetAtomicWriteFailureForTesting(10);
    SetRegString(registry, "LM", kSimulatorKey, kExePathValue, "D:\\Elsewhere");
    SetAtomicWriteFailureForTesting(std::nullopt);
    EXPECT_EQ(dir.read("prefix/system.reg"), SystemReg());
    EXPECT_EQ(NamesIn(prefix.folder).size(), 3u);
}

TEST(WinePrefix, windowsPathsBecomeHostPaths) {
    TempDir dir;
    const auto prefix = MakeTestPrefix(dir);
    dir.mkdir("prefix/drive_c/Program Files/Microsoft Games/FS2002");
    const WinePrefix wine(prefix.folder);
    const std::string fs2002 =
        fs::canonical(prefix.driveC).string() + "/Program Files/Microsoft Games/FS2002";

    EXPECT_EQ(wine.toHostPath("C:\\Program Files\\Microsoft Games\\FS2002"), fs2002);
    EXPECT_EQ(wine.toHostPath("c:\\PROGRAM FILES\\microsoft games\\fs2002\\"), fs2002 + "/");
    EXPECT_EQ(wine.toHostPath("C:/Program Files//Microsoft Games/FS2002"), fs2002);
    // A path that does not exist keeps its names as written.
    EXPECT_EQ(wine.toHostPath("C:\\Program Files\\New Folder"),
              fs::canonical(prefix.driveC).string() + "/Program Files/New Folder");
    EXPECT_EQ(wine.toHostPath("C:\\"), fs::canonical(prefix.driveC).string() + "/");
    EXPECT_EQ(wine.toHostPath("z:\\opt\\fs"), "/opt/fs");
    EXPECT_EQ(wine.toHostPath("D:\\FS2002"), "");
    EXPECT_EQ(wine.toHostPath("FS2002"), "");
    EXPECT_EQ(wine.toHostPath(""), "");
}

TEST(WinePrefix, aHugeValueIsTranslatedInLinearTime) {
    TempDir dir;
    const auto prefix = MakeTestPrefix(dir);
    const WinePrefix wine(prefix.folder);
    // 900 KB of 300,000 names: a value no simulator can have, translated without stalling.
    std::string value = "C:";
    for (int i = 0; i < 300'000; ++i) value += "\\ab";
    const auto start = std::chrono::steady_clock::now();
    const std::string host = wine.toHostPath(value);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(host.size(), fs::canonical(prefix.driveC).string().size() + 900'000);
    EXPECT_LT(seconds, 2.0 * test::kSlowdown) << "a translation that grows with the square of the length";
    EXPECT_FALSE(PathExists(host + "/fs2002.exe", true))
        << "a path longer than the system takes names nothing";
}

TEST(WinePrefix, aFolderWhoseNameIsNotUtf8ComesBackWithItsBytes) {
    TempDir dir;
    const auto prefix = MakeTestPrefix(dir, std::string(test::kFreshSystemReg));
    const std::string folder = dir.mkdir("prefix/drive_c/Jeux \xE9t\xE9\xFF/FS2002");
    const std::string canonical = fs::canonical(folder).string();
    WineRegistry registry{WinePrefix(prefix.folder)};
    SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue, registry.toRegistryPath(canonical));
    EXPECT_EQ(RegisteredFSFolder(registry), canonical);
    EXPECT_EQ(
        WineRegistry{WinePrefix(prefix.folder)}.toHostPath("C:\\Jeux \xC3\xA9t\xC3\xA9\xC3\xBF\\FS2002"),
        canonical)
        << "the characters of the bytes name the folder";
}

TEST(WinePrefix, hostPathsBecomeWindowsPaths) {
    TempDir dir;
    const auto prefix = MakeTestPrefix(dir);
    const std::string fs2002 = dir.mkdir("prefix/drive_c/Program Files/FS2002");
    const WinePrefix wine(prefix.folder);

    EXPECT_EQ(wine.toWindowsPath(fs2002), "C:\\Program Files\\FS2002\\");
    EXPECT_EQ(wine.toWindowsPath(fs2002.substr(0, fs2002.size() - 1)), "C:\\Program Files\\FS2002");
    EXPECT_EQ(wine.toWindowsPath(prefix.driveC + "Not/Yet/There"), "C:\\Not\\Yet\\There");
    EXPECT_EQ(wine.toWindowsPath(prefix.driveC), "C:\\");
    // Through a link into the drive, the drive's name is used.
    fs::create_directory_symlink(fs2002, dir.file("link"));
    EXPECT_EQ(wine.toWindowsPath(dir.file("link")), "C:\\Program Files\\FS2002");
    // Outside drive_c the root drive z: holds it.
    const std::string outside = fs::canonical(dir.mkdir("games/FS2002")).string();
    EXPECT_EQ(wine.toWindowsPath(outside), "Z:" + WithBackslashes(outside));
}

TEST(WinePrefix, aHostPathOutsideEveryDriveTakesDriveZ) {
    TempDir dir;
    const auto prefix = MakeTestPrefix(dir, test::kFreshSystemReg, false);
    const WinePrefix wine(prefix.folder);
    const std::string outside = fs::canonical(dir.mkdir("games/FS2002")).string();
    EXPECT_EQ(wine.toWindowsPath(outside), "Z:" + WithBackslashes(outside));
    EXPECT_EQ(wine.toHostPath("Z:\\games"), ""); // no z: link in this prefix
}

TEST(WinePrefix, thePrefixComesFromTheEnvironment) {
    {
        ScopedEnv prefix("WINEPREFIX", "/srv/wine/fs");
        EXPECT_EQ(WinePrefix::fromEnvironment().folder(), "/srv/wine/fs/");
        EXPECT_EQ(WinePrefix::fromEnvironment().systemRegPath(), "/srv/wine/fs/system.reg");
    }
    ScopedEnv noPrefix("WINEPREFIX", std::nullopt);
    ScopedEnv home("HOME", "/home/pilot");
    EXPECT_EQ(WinePrefix::fromEnvironment().folder(), "/home/pilot/.wine/");
}
