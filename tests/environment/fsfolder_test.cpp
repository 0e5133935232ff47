#include "environment/fsfolder.h"
#include "environment/programstate.h"
#include "memoryregistry.h"
#include "platform/registry.h"
#include "platform/settingsstore.h"
#include "tempdir.h"
#ifndef _WIN32
#include "platform/wineregistry.h"
#include "testprefix.h"
#endif

#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::MemoryRegistry;
using corvane::test::MemorySettings;
using corvane::test::TempDir;

namespace {

struct FsFolderTest : ::testing::Test {
    TempDir dir;
    MemoryRegistry registry;
    MemorySettings settings;
    ProgramState state;

    // A simulator folder holding fs2002.exe under the name given.
    std::string simulator(std::string_view folder, std::string_view exeName = "fs2002.exe") {
        dir.write(std::string(folder) + "/" + std::string(exeName), "MZ");
        return dir.file(folder);
    }
    std::string registered() const { return GetRegString(registry, "LM", kSimulatorKey, kExePathValue); }
};

} // namespace

TEST_F(FsFolderTest, aFolderIsAcceptedWithOneSeparatorOnlyWhenItHoldsTheSimulator) {
    // Two separators, no simulator, no folder: refused, and nothing is written. The separator is added
    // before the test.
    const std::pair<std::string, std::string> refused[] = {{simulator("Other") + "//", dir.file("Other//")},
                                                           {dir.mkdir("Empty"), dir.file("Empty/")},
                                                           {dir.file("Missing"), dir.file("Missing/")}};
    for (auto [path, after] : refused) {
        EXPECT_FALSE(CheckFSPath(path, registry, settings, state)) << after;
        EXPECT_EQ(path, after);
    }
    EXPECT_EQ(settings.writeCount(), 0);
    EXPECT_EQ(registry.writeCount(), 0);
    EXPECT_EQ(state.fsFolder, "");

    // Found in any case, and stored with one separator.
    std::string path = simulator("FS2002", "FS2002.EXE");
    ASSERT_FALSE(path.ends_with("/"));
    EXPECT_TRUE(CheckFSPath(path, registry, settings, state));
    EXPECT_EQ(path, dir.file("FS2002/"));
    EXPECT_EQ(settings.value(kFsPathSetting), dir.file("FS2002/"));
    EXPECT_EQ(state.fsFolder, dir.file("FS2002/"));
}

TEST_F(FsFolderTest, aRegistryValueNamingAValidFolderIsLeftAlone) {
    const std::string installed = simulator("Installed");
    registry.write("LM", kSimulatorKey, kExePathValue, installed);
    std::string chosen = simulator("Chosen");
    EXPECT_TRUE(CheckFSPath(chosen, registry, settings, state));
    EXPECT_EQ(registry.writeCount(), 1);
    EXPECT_EQ(registered(), installed);
    EXPECT_EQ(state.fsFolder, dir.file("Chosen/"));
}

TEST_F(FsFolderTest, aMissingRegistryValueOrOneNamingNoSimulatorIsWritten) {
    for (const bool stale : {false, true}) {
        if (stale) registry.write("LM", kSimulatorKey, kExePathValue, dir.mkdir("Stale"));
        std::string chosen = simulator("Chosen") + "/";
        EXPECT_TRUE(CheckFSPath(chosen, registry, settings, state));
        EXPECT_EQ(registered(), dir.file("Chosen")) << "without the separator";
        EXPECT_EQ(registry.writeCount(), stale ? 3 : 1);
    }
}

TEST_F(FsFolderTest, theWineRegistryGetsTheWindowsPath) {
#ifdef _WIN32
    GTEST_SKIP() << "no Wine prefix on Windows: WindowsRegistry.checkFSPathRepairsTheValueWithTheWindowsPath";
#else
    const auto prefix = test::MakeTestPrefix(dir);
    dir.write("prefix/drive_c/Games/FS2002/fs2002.exe", "MZ");
    WineRegistry wine{WinePrefix(prefix.folder)};
    std::string chosen = prefix.driveC + "Games/FS2002";
    EXPECT_TRUE(CheckFSPath(chosen, wine, settings, state));
    EXPECT_EQ(GetRegString(wine, "LM", kSimulatorKey, kExePathValue), "C:\\Games\\FS2002");
    EXPECT_TRUE(dir.read("prefix/system.reg").ends_with("\"EXE Path\"=\"C:\\\\Games\\\\FS2002\"\n"));

    // Now that the value names the simulator, another valid folder leaves system.reg as it is.
    const std::string before = dir.read("prefix/system.reg");
    std::string other = simulator("Other");
    EXPECT_TRUE(CheckFSPath(other, wine, settings, state));
    EXPECT_EQ(dir.read("prefix/system.reg"), before);
    EXPECT_EQ(RegisteredFSFolder(wine), prefix.driveC + "Games/FS2002");
#endif
}

TEST_F(FsFolderTest, startsWithTheSettingElseTheRegistry) {
    StartFolder start = InitialFSFolder(registry, settings);
    EXPECT_EQ(start.folder, "/"); // nothing anywhere: a lone separator, to be confirmed
    EXPECT_TRUE(start.fromRegistry);

    registry.write("LM", kSimulatorKey, kExePathValue, "/opt/FS2002");
    start = InitialFSFolder(registry, settings);
    EXPECT_EQ(start.folder, "/opt/FS2002/");
    EXPECT_TRUE(start.fromRegistry);

    settings.setValue(kFsPathSetting, "/games/FS2002/");
    start = InitialFSFolder(registry, settings);
    EXPECT_EQ(start.folder, "/games/FS2002/");
    EXPECT_FALSE(start.fromRegistry);
}
