// Corvane's side of the round trip through a real Wine: the simulator found through the registry
// Wine wrote, corvane-cli open and compile through the Windows tools run by wine (on the folder given
// even where the registry names another installation), the registry repair written through Wine while
// its server runs, and winepath agreeing with the drive links.

#include "clirun.h"
#include "environment/fsfolder.h"
#include "environment/programstate.h"
#include "memoryregistry.h"
#include "platform/wineregistry.h"
#include "realwine.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::RealWine;

namespace fs = std::filesystem;

namespace {

test::CliRun Cli(const RealWine& wine, const std::vector<std::string>& args) {
    return test::Cli(args, wine.program);
}

std::string Read(const RealWine& wine, const std::string& path) {
    return wine.dir.read(path.substr(wine.dir.path().size()));
}

// The project with an edit: the first flight gets a new tail number and 75 %.
std::string Edited(const std::string& project) {
    const auto percent = project.find('%');
    if (percent == std::string::npos) return project;
    const auto line = project.rfind('\n', percent) + 1;
    const auto end = project.find('\n', line);
    std::string flight = project.substr(line, end - line);
    const auto first = flight.find(',');
    const auto third = flight.find(',', flight.find(',', first + 1) + 1);
    flight = flight.substr(0, first + 1) + "N737QX,75%" + flight.substr(third);
    return project.substr(0, line) + flight + project.substr(end);
}

// Points XDG_CONFIG_HOME at an empty folder: the program has no setting of its own.
struct NoSettings {
    explicit NoSettings(const RealWine& wine) {
        ::setenv("XDG_CONFIG_HOME", wine.dir.mkdir("no-settings").c_str(), 1);
    }
    ~NoSettings() { ::unsetenv("XDG_CONFIG_HOME"); }
};

} // namespace

TEST(RealWine, startUpFindsTheSimulatorInTheRegistryWineWrote) {
    RealWine& wine = RealWine::get();
    WineRegistry registry(WinePrefix(wine.prefix), WineCommands{&wine.runner});
    ASSERT_TRUE(registry.usesWine());
    const test::MemorySettings none;
    const StartFolder start = InitialFSFolder(registry, none);
    EXPECT_TRUE(start.fromRegistry);
    EXPECT_EQ(start.folder, fs::canonical(wine.fsFolder).string() + "/");
    // Read straight from the file too, as the program reads it.
    EXPECT_EQ(RegisteredFSFolder(WineRegistry(WinePrefix(wine.prefix))),
              fs::canonical(wine.fsFolder).string());
}

TEST(RealWine, openEditCompileAndOpenAgainThroughTheWindowsTools) {
    RealWine& wine = RealWine::get();
    NoSettings noSettings(wine); // the simulator folder comes from the registry
    test::CliRun run = Cli(wine, {"open", wine.dir.file("installed.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(fs::exists(wine.program + "TempData"))
        << "the decompiler's output does not outlive the command";
    const std::string edited = Edited(wine.dir.read("installed.cvp"));
    ASSERT_NE(edited, wine.dir.read("installed.cvp"));
    wine.dir.write("edited.cvp", edited);

    const test::CliRun compiled = Cli(wine, {"compile", wine.dir.file("edited.cvp")});
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    const std::string backup = test::BackupIn(compiled);
    ASSERT_NE(backup, "");
    EXPECT_EQ(Read(wine, backup), wine.original) << "the backup holds the traffic file as it was";
    EXPECT_NE(Read(wine, wine.trafficBgl), wine.original) << "a new traffic.bgl";
    for (const char* name : {"Aircraft.txt", "Airports.txt", "FlightPlans.txt"})
        EXPECT_FALSE(fs::exists(wine.program + name)) << name;

    run = Cli(wine, {"open", wine.dir.file("again.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(wine.dir.read("again.cvp"), edited) << "the edited data come back byte for byte";

    // The next tests start from the installation as it was.
    wine.dir.write(wine.trafficBgl.substr(wine.dir.path().size()), wine.original);
}

TEST(RealWine, theToolsWorkOnTheFolderGivenWhileTheRegistryNamesAnother) {
    RealWine& wine = RealWine::get();
    NoSettings noSettings(wine);
    // A second installation with the same traffic; Wine's registry names the first.
    const std::string other = wine.driveC + "Other FS/";
    fs::copy(wine.fsFolder, other, fs::copy_options::recursive);
    const std::string otherBgl = other + "SCENEDB/ATC/Scenery/traffic.bgl";

    test::CliRun run = Cli(wine, {"open", "--fs", other, wine.dir.file("other.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string edited = Edited(wine.dir.read("other.cvp"));
    wine.dir.write("other-edited.cvp", edited);
    run = Cli(wine, {"compile", "--fs", other, wine.dir.file("other-edited.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Read(wine, wine.trafficBgl), wine.original) << "the registered installation is untouched";
    EXPECT_NE(Read(wine, otherBgl), wine.original);
    EXPECT_EQ(fs::path(test::BackupIn(run)).parent_path(),
              fs::path(other + "SCENEDB/ATC/Scenery/Traffic Backup"));
    EXPECT_EQ(Read(wine, test::BackupIn(run)), wine.original);
    run = Cli(wine, {"open", "--fs", other, wine.dir.file("other-again.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(wine.dir.read("other-again.cvp"), edited);

    wine.waitForServer();
    EXPECT_EQ(RegisteredFSFolder(WineRegistry(WinePrefix(wine.prefix))),
              fs::canonical(wine.fsFolder).string())
        << "Wine's registry names the first installation again";
    fs::remove_all(other);
}

TEST(RealWine, theRegistryRepairSurvivesARunningWineServer) {
    RealWine& wine = RealWine::get();
    // The value names a folder without the simulator, and a Wine server runs (as it does while the
    // simulator or any other Wine program runs).
    wine.regAdd(std::string(kSimulatorKey), std::string(kExePathValue), "C:\\Nowhere");
    wine.waitForServer();
    ASSERT_TRUE(wine.run("wineserver", {"-p"}).succeeded());
    ASSERT_TRUE(wine.run("wine", {"reg", "query", "HKLM\\Software"}).succeeded()); // the server is up

    // An edit of system.reg behind the server's back, as a registry without Wine makes it...
    WineRegistry direct{WinePrefix(wine.prefix)};
    SetRegString(direct, kLocalMachine, "SOFTWARE\\Corvane Test", "Direct", "lost");
    EXPECT_NE(wine.dir.read("prefix/system.reg").find("\"Direct\"=\"lost\""), std::string::npos);

    // ...and the repair of CheckFSPath, written through Wine.
    WineRegistry registry(WinePrefix(wine.prefix), WineCommands{&wine.runner});
    test::MemorySettings settings;
    ProgramState state;
    std::string folder = wine.fsFolder;
    ASSERT_TRUE(CheckFSPath(folder, registry, settings, state));
    EXPECT_EQ(registry.lastWriteError(), "");

    ASSERT_TRUE(wine.run("wineserver", {"-k"}).started);
    wine.waitForServer();
    const std::string systemReg = wine.dir.read("prefix/system.reg");
    EXPECT_EQ(systemReg.find("\"Direct\"=\"lost\""), std::string::npos)
        << "the server wrote its own registry over the edit made behind its back";
    EXPECT_EQ(registry.read(kLocalMachine, kSimulatorKey, kExePathValue), "C:\\Flight Simulator 2002");
    EXPECT_NE(systemReg.find("\"EXE Path\"=\"C:\\\\Flight Simulator 2002\""), std::string::npos);
    EXPECT_EQ(RegisteredFSFolder(WineRegistry(WinePrefix(wine.prefix))),
              fs::canonical(wine.fsFolder).string());
}

TEST(RealWine, winepathAndTheDriveLinksAgree) {
    RealWine& wine = RealWine::get();
    wine.dir.mkdir("prefix/drive_c/Jeux \xC3\xA9t\xC3\xA9/FS2002");
    const std::string outside = fs::canonical(wine.dir.mkdir("games/Flight Simulator")).string();
    const WineRegistry winepath(WinePrefix(wine.prefix), WineCommands{&wine.runner});
    const WinePrefix links(wine.prefix);
    ASSERT_TRUE(winepath.usesWine());
    for (const char* path :
         {"C:\\Flight Simulator 2002", "c:\\flight simulator 2002\\", "C:\\Jeux \xC3\xA9t\xC3\xA9\\FS2002",
          "C:\\Flight Simulator 2002\\New Folder", "C:\\", "Q:\\Games"})
        EXPECT_EQ(winepath.toHostPath(path), links.toHostPath(path)) << path;
    for (const std::string& path :
         {wine.fsFolder, fs::canonical(wine.fsFolder).string(), wine.driveC + "Jeux \xC3\xA9t\xC3\xA9/FS2002",
          outside, outside + "/", wine.driveC + "Not/There"})
        EXPECT_EQ(winepath.toRegistryPath(path), links.toWindowsPath(path)) << path;
    EXPECT_EQ(winepath.toRegistryPath(wine.fsFolder), "C:\\Flight Simulator 2002\\");
}
