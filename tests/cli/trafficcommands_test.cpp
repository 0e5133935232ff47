// corvane-cli open and compile, run in process against a registered simulator installation with the
// stand-in tools in a program folder of the test's own.

#include "clirun.h"
#include "platform/settingsstore.h"
#include "platform/usersettings.h"
#include "platformtest.h"
#include "simulatorregistration.h"
#include "tempdir.h"
#include "tools/trafficcontainer.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

using namespace corvane;
using corvane::test::CliRun;
using corvane::test::TempDir;

namespace fs = std::filesystem;

namespace {

const TrafficTexts kInstalled{
    "AC#1,430,\"Boeing 737-400\"\r\nAC#2,300,\"Not Installed\"\r\n",
    "KSEA,N47* 26.94',W122* 18.55',433\r\nKBFI,N47* 31.6',W122* 18.0',21\r\n",
    "AC#1,N1,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,09:00:00,09:20:00,100,F,2,KSEA,\r\n"
    "AC#2,N2,50%,WEEK,VFR,1/10:00:00,1/10:30:00,60,R,7,KBFI,1/11:00:00,1/11:30:00,60,F,8,KSEA,\r\n"};

// A simulator registered as C:\FS2002, the stand-in tools in a program folder.
struct Installation : ::testing::Test {
    TempDir dir;
    test::SimulatorRegistration registration{dir};
    std::vector<std::unique_ptr<test::ScopedEnv>> environment;
    std::string fsFolder = dir.mkdir("prefix/drive_c/FS2002");
    std::string program = dir.mkdir("Corvane");
    std::string trafficBgl = fsFolder + "SCENEDB/ATC/Scenery/traffic.bgl";
    std::string original = PackTrafficBgl(kInstalled);

    void SetUp() override {
        for (const char* tool : {"TCompiler.exe", "TDecompiler.exe"})
            fs::copy_file(std::string(CORVANE_PROGRAM_FOLDER) + tool, program + tool);
        dir.write("Corvane/apt.dat", "KSEA,N47* 26.88',W122* 18.62',433,Seattle Tacoma,United States\r\n");
        dir.write("prefix/drive_c/FS2002/FS2002.exe", "MZ");
        dir.write("prefix/drive_c/FS2002/Aircraft/B737/aircraft.cfg",
                  "[fltsim.0]\r\ntitle=Boeing 737-400\r\n[Reference Speeds]\r\ncruise_speed=430\r\n");
        TempDir::writeFile(trafficBgl, original);
        registration.registerFolder("C:\\FS2002");
        for (const auto& [name, value] : registration.environment())
            environment.push_back(std::make_unique<test::ScopedEnv>(name, value));
    }
    CliRun cli(const std::vector<std::string>& args) const { return test::Cli(args, program); }
};

} // namespace

TEST_F(Installation, openEditCompileTwiceAndOpenAgain) {
    CliRun run = cli({"open", dir.file("installed.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(fs::exists(program + "TempData")) << "the decompiler's output does not outlive the command";
    // What the open reads and the compile backs up is the trafficbgl tests'; here the commands' ends.
    std::string project = dir.read("installed.cvp");
    const auto tail = project.find("N1,100%");
    ASSERT_NE(tail, std::string::npos) << project;
    project.replace(tail, 7, "N737QX,75%");
    dir.write("edited.cvp", project);

    const CliRun compiled = cli({"compile", dir.file("edited.cvp")});
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    ASSERT_NE(test::BackupIn(compiled), "");
    EXPECT_EQ(dir.read(test::BackupIn(compiled).substr(dir.path().size())), original);
    EXPECT_NE(dir.read(trafficBgl.substr(dir.path().size())), original);
    for (const char* name : {"Aircraft.txt", "Airports.txt", "FlightPlans.txt"})
        EXPECT_FALSE(fs::exists(program + name)) << name;

    run = cli({"open", dir.file("again.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.read("again.cvp"), project) << "the edited data come back byte for byte";
}

TEST_F(Installation, theSimulatorFolderComesFromTheSettingThenTheRegistry) {
    // No registry value: the program's setting names the folder, and the value is repaired so that the
    // tools find the simulator too.
    registration.registerFolder("");
    registration.setUserSetting(kFsPathSetting, fsFolder);
    CliRun run = cli({"open", dir.file("from-setting.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(registration.registeredValue(), registration.windowsPath("C:\\FS2002"));
    // A folder the setting names in the other spelling is taken all the same.
    registration.setUserSetting(kFsPathSetting, fsFolder.substr(0, fsFolder.size() - 1));
    run = cli({"open", dir.file("from-setting.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(UserSettingsForReading()->value(kFsPathSetting), fsFolder.substr(0, fsFolder.size() - 1))
        << "the program's setting is not changed";

    // Neither: the folder must be given.
    registration.setUserSetting(kFsPathSetting, "");
    registration.registerFolder("");
    run = cli({"open", dir.file("nothing.cvp")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--fs"), std::string::npos) << run.err;
    run = cli({"open", "--fs", dir.mkdir("empty"), dir.file("nothing.cvp")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("holds no fs2002.exe"), std::string::npos) << run.err;
    EXPECT_EQ(cli({"open", "--fs", fsFolder, dir.file("given.cvp")}).status, 0);
}

TEST_F(Installation, aCompileThatCannotBackUpOrIsRefusedChangesNothing) {
    ASSERT_EQ(cli({"open", dir.file("installed.cvp")}).status, 0);
    dir.write("prefix/drive_c/FS2002/SCENEDB/ATC/Scenery/Traffic Backup", "a file in the way");
    CliRun run = cli({"compile", dir.file("installed.cvp")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Error compiling Traffic.bgl: The backup ''"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(dir.read(trafficBgl.substr(dir.path().size())), original);
    fs::remove(dir.file("prefix/drive_c/FS2002/SCENEDB/ATC/Scenery/Traffic Backup"));

    // The simulator's own traffic file, which the stand-in decompiler refuses (its compiler's refusal is
    // the standintools tests', how a refusal is told the trafficbgl tests'): no project is written.
    TempDir::writeFile(trafficBgl, "a real traffic file");
    run = cli({"open", dir.file("refused.cvp")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Error opening Traffic.bgl"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir.file("refused.cvp")));
}

TEST_F(Installation, theToolsWorkOnTheFolderGivenNotTheOneRegistered) {
    // Another installation, registered as its installer left it; --fs names the first.
    const std::string other = dir.mkdir("prefix/drive_c/Other FS");
    const std::string otherBgl = other + "SCENEDB/ATC/Scenery/traffic.bgl";
    dir.write("prefix/drive_c/Other FS/fs2002.exe", "MZ");
    const std::string otherTraffic = PackTrafficBgl(
        {"AC#1,430,\"Boeing 737-400\"\r\n", "KSEA,N47* 26.94',W122* 18.55',433\r\n",
         "AC#1,N-OTHER,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KSEA,09:00:00,09:20:00,100,F,2,KSEA,\r\n"});
    TempDir::writeFile(otherBgl, otherTraffic);
    registration.registerFolder("C:\\Other FS");
    const std::string registered = registration.registeredValue();

    CliRun run = cli({"open", "--fs", fsFolder, dir.file("installed.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string project = dir.read("installed.cvp");
    EXPECT_NE(project.find("AC#1,N1,100%"), std::string::npos) << "the traffic of --fs: " << project;
    EXPECT_EQ(project.find("N-OTHER"), std::string::npos) << project;
    EXPECT_EQ(registration.registeredValue(), registered);

    // The compile on the folder given (how the tools are pointed at it is the trafficbgl tests').
    run = cli({"compile", "--fs", fsFolder, dir.file("installed.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.read(otherBgl.substr(dir.path().size())), otherTraffic) << "the other one is untouched";
    EXPECT_NE(dir.read(trafficBgl.substr(dir.path().size())), original);
}
