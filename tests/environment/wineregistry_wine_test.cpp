// The Wine prefix's registry where Wine can be run: values read through Wine's reg program, written
// through it and read back, paths through winepath, system.reg edited only without Wine; and the keys that
// 32-bit programs see in a 64-bit prefix. Stand-ins for wine and winepath play Wine's part here; the
// real ones are run by the tests in tests/wine.

#include "platform/nativetoolrunner.h"
#include "platform/regimport.h"
#include "platform/registry.h"
#include "platform/wineregistry.h"
#include "tempdir.h"
#include "testprefix.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::TempDir;

namespace fs = std::filesystem;

namespace {

const std::string kSimKey =
    "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0] 1700000000\n";
const std::string kWowSimKey =
    "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0] 1700000000\n";

std::string SystemReg64(const std::string& sections) {
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n" + sections;
}

std::string Executable(const TempDir& dir, const std::string& name, const std::string& body) {
    const std::string path = dir.write(name, "#!/bin/sh\n" + body);
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

// A prefix as wineboot leaves it, and stand-ins for wine and winepath that note every run in log.txt.
// The wine stand-in keeps what "reg import" gets and gives it back on "reg export" (or export.reg,
// when the test put one there); the winepath stand-in names drive C: through dosdevices, as Wine does,
// with the folder "Alias" standing for "Real Folder".
struct WinePrefixFixture {
    TempDir dir;
    test::TestPrefix prefix;
    NativeToolRunner runner;
    WineCommands commands;

    explicit WinePrefixFixture(const std::string& systemReg = SystemReg64(""), bool booted = true) {
        prefix = test::MakeTestPrefix(dir, systemReg);
        dir.mkdir("prefix/drive_c/windows/temp");
        if (booted) dir.write("prefix/.update-timestamp", "1700000000\n");
        const std::string log = dir.file("log.txt");
        commands.runner = &runner;
        commands.wine =
            Executable(dir, "bin/wine",
                       "printf '%s|' \"$@\" >> '" + log +
                           "'\n"
                           "printf 'WINEPREFIX=%s WINEDEBUG=%s\\n' \"$WINEPREFIX\" \"$WINEDEBUG\" >> '" +
                           log +
                           "'\n"
                           "host() { printf '%s/drive_c%s' \"$WINEPREFIX\" \"$(printf '%s' \"$1\" | "
                           "sed 's/^[Cc]://; s/\\\\/\\//g')\"; }\n"
                           "case \"$1 $2\" in\n"
                           "'reg import')\n"
                           "  [ -f \"$WINEPREFIX/../import-fails\" ] && { echo 'reg: Unable to import "
                           "the registry file'; exit 1; }\n"
                           "  cp \"$(host \"$3\")\" \"$WINEPREFIX/../imported.reg\";;\n"
                           "'reg export')\n"
                           "  from=\"$WINEPREFIX/../imported.reg\"\n"
                           "  [ -f \"$WINEPREFIX/../export.reg\" ] && from=\"$WINEPREFIX/../export.reg\"\n"
                           "  cp \"$from\" \"$(host \"$4\")\";;\n"
                           "*) exit 99;;\n"
                           "esac\n");
        commands.winepath =
            Executable(dir, "bin/winepath",
                       "printf 'winepath|%s|%s|LC_ALL=%s\\n' \"$1\" \"$2\" \"$LC_ALL\" >> '" + log +
                           "'\n"
                           "[ -f \"$WINEPREFIX/../winepath-fails\" ] && exit 1\n"
                           "case \"$1\" in\n"
                           "-u) printf '%s/dosdevices/c:%s\\n' \"$WINEPREFIX\" \"$(printf '%s' \"$2\" | "
                           "sed 's/^[Cc]://; s/Alias/Real Folder/; s/\\\\/\\//g')\";;\n"
                           "-w) printf 'Z:%s\\n' \"$(printf '%s' \"$2\" | sed 's/\\//\\\\/g')\";;\n"
                           "esac\n");
    }
    std::string log() const { return fs::exists(dir.file("log.txt")) ? dir.read("log.txt") : std::string(); }
    std::string systemReg() const { return dir.read("prefix/system.reg"); }
};

} // namespace

TEST(WineRegistryThroughWine, aValueIsWrittenThroughWineAndReadBack) {
    WinePrefixFixture f;
    const std::string before = f.systemReg();
    WineRegistry registry(WinePrefix(f.prefix.folder), f.commands);
    ASSERT_TRUE(registry.usesWine());
    SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue, "C:\\Fl\xC3\xBCght \"Sim\" 2002");
    EXPECT_EQ(registry.lastWriteError(), "");
    EXPECT_EQ(f.systemReg(), before) << "Wine keeps its registry: system.reg is not edited behind its back";
    EXPECT_EQ(registry.read(kLocalMachine, kSimulatorKey, kExePathValue), "C:\\Fl\xC3\xBCght \"Sim\" 2002")
        << "read through Wine as well: system.reg is older than its registry";

    // What Wine's reg was given: the value in a reg file, imported into the view of 32-bit programs.
    const std::string log = f.log();
    const std::string prefixFolder = f.prefix.folder.substr(0, f.prefix.folder.size() - 1);
    EXPECT_NE(log.find("reg|import|C:\\windows\\temp\\corvane-"), std::string::npos) << log;
    EXPECT_NE(log.find("|/reg:32|WINEPREFIX=" + prefixFolder + " WINEDEBUG=-all"), std::string::npos) << log;
    EXPECT_NE(
        log.find("reg|export|HKEY_LOCAL_MACHINE\\" + std::string(kSimulatorKey) + "|C:\\windows\\temp\\"),
        std::string::npos)
        << log;
    const std::string imported = f.dir.read("imported.reg");
    EXPECT_EQ(imported, RegImportFile("HKEY_LOCAL_MACHINE\\" + std::string(kSimulatorKey), "EXE Path",
                                      "C:\\Fl\xC3\xBCght \"Sim\" 2002"));
    EXPECT_EQ(imported.substr(0, 6), std::string("\xFF\xFEW\0i\0", 6)) << "UTF-16LE with its byte order mark";
    EXPECT_EQ(RegExportedString(imported, "exe path"), "C:\\Fl\xC3\xBCght \"Sim\" 2002");
    EXPECT_TRUE(fs::is_empty(f.dir.file("prefix/drive_c/windows/temp"))) << "the exchange files go";
}

TEST(WineRegistryThroughWine, aWriteWineRefusesOrDoesNotKeepIsReported) {
    WinePrefixFixture f;
    const std::string before = f.systemReg();
    WineRegistry registry(WinePrefix(f.prefix.folder), f.commands);
    f.dir.write("import-fails", "");
    SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue, "C:\\FS2002");
    EXPECT_EQ(registry.lastWriteError(),
              "Wine could not store the value: reg: Unable to import the registry file");
    EXPECT_EQ(f.systemReg(), before) << "no direct edit instead";

    // Wine took the file, but its registry holds another value afterwards.
    fs::remove(f.dir.file("import-fails"));
    f.dir.write("export.reg", RegImportFile("HKEY_LOCAL_MACHINE\\Whatever", "EXE Path", "C:\\Other"));
    SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue, "C:\\FS2002");
    EXPECT_NE(registry.lastWriteError().find("does not hold the value"), std::string::npos)
        << registry.lastWriteError();
    EXPECT_EQ(f.systemReg(), before);

    fs::remove(f.dir.file("export.reg"));
    SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue, "C:\\FS2002");
    EXPECT_EQ(registry.lastWriteError(), "") << "a good write clears the report";
}

TEST(WineRegistryThroughWine, withoutWineSystemRegIsEditedDirectly) {
    // No wine program on the machine: the file is all there is.
    {
        WinePrefixFixture f;
        f.commands.wine = f.dir.file("bin/no-such-wine");
        WineRegistry registry(WinePrefix(f.prefix.folder), f.commands);
        SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue, "C:\\FS2002");
        EXPECT_EQ(registry.lastWriteError(), "");
        EXPECT_EQ(registry.read(kLocalMachine, kSimulatorKey, kExePathValue), "C:\\FS2002");
    }
    // A prefix Wine never set up (made by hand, as the demo's is) is not handed to Wine, which would
    // first rebuild it; and without a runner Wine is never run.
    for (const bool booted : {false, true}) {
        WinePrefixFixture f(SystemReg64(""), booted);
        WineCommands commands = f.commands;
        if (booted) commands.runner = nullptr;
        WineRegistry registry(WinePrefix(f.prefix.folder), commands);
        EXPECT_FALSE(registry.usesWine());
        SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue, "C:\\FS2002");
        EXPECT_EQ(registry.read(kLocalMachine, kSimulatorKey, kExePathValue), "C:\\FS2002");
        EXPECT_EQ(registry.toHostPath("C:\\Alias"), fs::canonical(f.prefix.driveC).string() + "/Alias");
        EXPECT_EQ(f.log(), "") << "Wine was not run";
    }
}

TEST(WineRegistryThroughWine, pathsGoThroughWinepathAndAgreeWithTheDriveLinks) {
    WinePrefixFixture f;
    const std::string driveC = fs::canonical(f.prefix.driveC).string();
    f.dir.mkdir("prefix/drive_c/Program Files/FS2002");
    f.dir.mkdir("prefix/drive_c/Real Folder");
    WineRegistry wine(WinePrefix(f.prefix.folder), f.commands);
    const WinePrefix links(f.prefix.folder);

    for (const char* path : {"C:\\Program Files\\FS2002", "C:\\Program Files\\FS2002\\",
                             "C:\\Program Files\\New", "C:\\Jeux \xC3\xA9t\xC3\xA9"}) {
        EXPECT_EQ(wine.toHostPath(path), links.toHostPath(path)) << path;
    }
    EXPECT_EQ(wine.toHostPath("C:\\Program Files\\FS2002"), driveC + "/Program Files/FS2002");
    // Wine's answer is the one taken where it knows better.
    EXPECT_EQ(wine.toHostPath("C:\\Alias"), driveC + "/Real Folder");
    EXPECT_NE(f.log().find("winepath|-u|C:\\Alias|LC_ALL=C.UTF-8"), std::string::npos) << f.log();

    const std::string outside = fs::canonical(f.dir.mkdir("games/FS2002")).string();
    EXPECT_EQ(wine.toRegistryPath(outside), links.toWindowsPath(outside));

    // A value that is not UTF-8 is no question for winepath; when it fails, the links answer.
    const std::string before = f.log();
    EXPECT_EQ(wine.toHostPath("C:\\Jeux \xE9t\xE9"), links.toHostPath("C:\\Jeux \xE9t\xE9"));
    EXPECT_EQ(f.log(), before);
    f.dir.write("winepath-fails", "");
    EXPECT_EQ(wine.toHostPath("C:\\Alias"), driveC + "/Alias");
    EXPECT_EQ(wine.toRegistryPath(outside), links.toWindowsPath(outside));
}

TEST(WineRegistry, aSixtyFourBitPrefixKeepsTheSimulatorWhere32BitProgramsSeeIt) {
    TempDir dir;
    // The 32-bit view wins over the 64-bit one; a value only in the 64-bit one is still found.
    const auto both = test::MakeTestPrefix(dir, SystemReg64(kSimKey + "\"EXE Path\"=\"C:\\\\Native\"\n\n" +
                                                            kWowSimKey + "\"EXE Path\"=\"C:\\\\Wow\"\n"));
    EXPECT_EQ(WineRegistry(WinePrefix(both.folder)).read(kLocalMachine, kSimulatorKey, kExePathValue),
              "C:\\Wow");
    dir.write("prefix/system.reg", SystemReg64(kSimKey + "\"EXE Path\"=\"C:\\\\Native\"\n"));
    WineRegistry registry{WinePrefix(both.folder)};
    EXPECT_EQ(registry.read(kLocalMachine, kSimulatorKey, kExePathValue), "C:\\Native");

    // A write goes to the 32-bit view, which is then read.
    SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue, "C:\\FS2002");
    const std::string text = dir.read("prefix/system.reg");
    EXPECT_NE(text.find(kWowSimKey.substr(0, kWowSimKey.find(']') + 1)), std::string::npos) << text;
    EXPECT_NE(text.find("\"EXE Path\"=\"C:\\\\Native\""), std::string::npos) << "the 64-bit value stays";
    EXPECT_EQ(registry.read(kLocalMachine, kSimulatorKey, kExePathValue), "C:\\FS2002");
    // The classes root is shared by both views.
    SetRegString(registry, kClassesRoot, ".bgl", "", "bglfile");
    EXPECT_NE(dir.read("prefix/system.reg").find("[Software\\\\Classes\\\\.bgl]"), std::string::npos);

    // A 32-bit prefix has one view.
    dir.write("prefix/system.reg", std::string(test::kFreshSystemReg));
    WineRegistry win32{WinePrefix(both.folder)};
    SetRegString(win32, kLocalMachine, kSimulatorKey, kExePathValue, "C:\\FS2002");
    EXPECT_EQ(dir.read("prefix/system.reg").find("Wow6432Node"), std::string::npos);
}
