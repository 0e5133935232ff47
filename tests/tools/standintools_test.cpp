#include "environment/toolkind.h"
#include "hostpath.h"
#include "platform/regimport.h"
#include "platform/registry.h"
#include "runprogram.h"
#include "simulatorregistration.h"
#include "tempdir.h"
#include "tools/trafficcontainer.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::RunProgram;
using corvane::test::TempDir;

namespace fs = std::filesystem;

namespace {

const std::string kCompiler = std::string(CORVANE_PROGRAM_FOLDER) + "TCompiler.exe";
const std::string kDecompiler = std::string(CORVANE_PROGRAM_FOLDER) + "TDecompiler.exe";

std::string ReversedBytes() {
    const std::string bytes = test::EveryByte();
    return std::string(bytes.rbegin(), bytes.rend());
}

// An installation, the simulator registered as "C:\Flight Simulator 2002", and a program folder with
// its TempData.
struct StandInToolsTest : ::testing::Test {
    TempDir dir;
    test::SimulatorRegistration registration{dir};
    std::string fsFolder = dir.mkdir("prefix/drive_c/Flight Simulator 2002");
    std::string programFolder = dir.mkdir("Corvane");
    std::string tempData = dir.mkdir("Corvane/TempData");
    std::string trafficBgl = fsFolder + "SCENEDB/ATC/Scenery/traffic.bgl";

    const TrafficTexts texts{test::EveryByte() + "\r\nAC#1,250,\"Boeing 737-400\"\r\n", ReversedBytes(),
                             "\r\n\r\n"};

    void SetUp() override {
        registration.registerFolder("C:\\Flight Simulator 2002");
        dir.write("prefix/drive_c/Flight Simulator 2002/FS2002.EXE", "MZ");
    }

    void writeDatabases(std::string_view aircraft = "Aircraft.txt",
                        std::string_view airports = "Airports.txt",
                        std::string_view flightPlans = "FlightPlans.txt") {
        dir.write("Corvane/" + std::string(aircraft), texts.aircraft);
        dir.write("Corvane/" + std::string(airports), texts.airports);
        dir.write("Corvane/" + std::string(flightPlans), texts.flightPlans);
    }
    test::ProgramRun compile() {
        return RunProgram(kCompiler, {"/ep", "/np"}, programFolder, registration.environment());
    }
    test::ProgramRun decompile() {
        return RunProgram(kDecompiler, {"/np"}, tempData, registration.environment());
    }
    std::string read(const std::string& path) const { return dir.read(path.substr(dir.path().size())); }
};

} // namespace

TEST_F(StandInToolsTest, everyByteGoesThroughCompileAndDecompile) {
    writeDatabases("AIRCRAFT.TXT", "airports.txt", "FlightPlans.TXT");
    const auto compiled = compile();
    ASSERT_EQ(compiled.exitCode, 0) << compiled.errors;
    EXPECT_EQ(compiled.errors, "");
    ASSERT_TRUE(fs::exists(trafficBgl)); // created with its folders

    const auto decompiled = decompile();
    ASSERT_EQ(decompiled.exitCode, 0) << decompiled.errors;
    EXPECT_EQ(test::NamesIn(tempData),
              (std::vector<std::string>{"aircraft.txt", "airports.txt", "flightplans.txt"}));
    EXPECT_EQ(dir.read("Corvane/TempData/aircraft.txt"), texts.aircraft);
    EXPECT_EQ(dir.read("Corvane/TempData/airports.txt"), texts.airports);
    EXPECT_EQ(dir.read("Corvane/TempData/flightplans.txt"), texts.flightPlans);
}

TEST_F(StandInToolsTest, theSceneryFolderIsFoundInAnyCase) {
    const std::string existing =
        dir.write("prefix/drive_c/Flight Simulator 2002/SceneDB/atc/SCENERY/Traffic.BGL",
                  PackTrafficBgl({"a", "b", "c"}));
    writeDatabases();
    ASSERT_EQ(compile().exitCode, 0);
    EXPECT_EQ(test::NamesIn(fsFolder), (std::vector<std::string>{"FS2002.EXE", "SceneDB"}))
        << "no second folder";
    EXPECT_EQ(test::NamesIn(fsFolder + "SceneDB/atc/SCENERY"), std::vector<std::string>{"Traffic.BGL"});
    const auto texts = UnpackTrafficBgl(read(existing));
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->airports, this->texts.airports);
    ASSERT_EQ(decompile().exitCode, 0);
}

TEST_F(StandInToolsTest, aMissingDatabaseLeavesTheOldTrafficFile) {
    const std::string old = PackTrafficBgl({"a", "b", "c"});
    dir.write("prefix/drive_c/Flight Simulator 2002/SCENEDB/ATC/Scenery/traffic.bgl", old);
    dir.write("Corvane/Aircraft.txt", texts.aircraft);
    dir.write("Corvane/Airports.txt", texts.airports);
    const auto run = compile();
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("FlightPlans.txt"), std::string::npos) << run.errors;
    EXPECT_EQ(read(trafficBgl), old);
    EXPECT_EQ(test::NamesIn(fsFolder + "SCENEDB/ATC/Scenery"), std::vector<std::string>{"traffic.bgl"});

    // A folder where a database should be is no database either.
    dir.mkdir("Corvane/FlightPlans.txt");
    EXPECT_NE(compile().exitCode, 0);
    EXPECT_EQ(read(trafficBgl), old);
}

TEST_F(StandInToolsTest, theCompilerNeedsNoOldTrafficFileButItsDatabases) {
    const auto run = compile();
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("Aircraft.txt"), std::string::npos) << run.errors;
    EXPECT_FALSE(fs::exists(fsFolder + "SCENEDB"));
}

TEST_F(StandInToolsTest, aDamagedTrafficFileIsRefusedWithoutOutput) {
    // Which bytes make a damaged container is the container's test; here, that the tool refuses one.
    std::string damaged = PackTrafficBgl(texts);
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 1);
    dir.write("prefix/drive_c/Flight Simulator 2002/SCENEDB/ATC/Scenery/traffic.bgl", damaged);
    const auto run = decompile();
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("damaged"), std::string::npos) << run.errors;
    EXPECT_TRUE(test::NamesIn(tempData).empty());
}

TEST_F(StandInToolsTest, aMissingTrafficFileIsRefused) {
    const auto run = decompile();
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("traffic.bgl"), std::string::npos) << run.errors;
    EXPECT_TRUE(test::NamesIn(tempData).empty());
}

TEST_F(StandInToolsTest, withoutASimulatorBothToolsRefuse) {
    writeDatabases();
    const auto refused = [&]() {
        const auto compiled = compile();
        EXPECT_NE(compiled.exitCode, 0);
        EXPECT_NE(compiled.errors.find("no FS2002 installation"), std::string::npos) << compiled.errors;
        const auto decompiled = decompile();
        EXPECT_NE(decompiled.exitCode, 0);
        EXPECT_NE(decompiled.errors.find("no FS2002 installation"), std::string::npos) << decompiled.errors;
        EXPECT_TRUE(test::NamesIn(tempData).empty());
        EXPECT_FALSE(fs::exists(fsFolder + "SCENEDB"));
    };
    registration.registerFolder("");
    refused(); // no "EXE Path"
    registration.registerFolder("C:\\Elsewhere");
    dir.mkdir("prefix/drive_c/Elsewhere");
    refused(); // a folder without fs2002.exe
    registration.registerFolder("Q:\\Flight Simulator 2002");
    refused(); // a drive the system does not have
    registration.forgetRegistry();
    refused(); // no registry at all
}

#ifndef _WIN32 // Windows has one registry, which the tools ask
TEST_F(StandInToolsTest, inAPrefixWineSetUpTheRegistryIsAskedThroughWine) {
    // system.reg still names another installation, as it does while Wine's server holds a newer value;
    // Wine (a stand-in on the PATH) answers with the one registered now.
    dir.write("prefix/drive_c/Stale FS/fs2002.exe", "MZ");
    registration.registerFolder("C:\\Stale FS");
    dir.write("prefix/.update-timestamp", "1700000000\n");
    dir.mkdir("prefix/drive_c/windows/temp");
    dir.write("export.reg", RegImportFile("HKEY_LOCAL_MACHINE\\" + std::string(kSimulatorKey), "EXE Path",
                                          "C:\\Flight Simulator 2002"));
    dir.write("bin/wine", "#!/bin/sh\n"
                          "[ \"$1 $2\" = 'reg export' ] || exit 99\n"
                          "cp '" +
                              dir.file("export.reg") +
                              "' \"$WINEPREFIX/drive_c$(printf '%s' \"$4\" | sed "
                              "'s/^[Cc]://; s/\\\\/\\//g')\"\n");
    dir.write("bin/winepath", "#!/bin/sh\nexit 1\n");
    for (const char* program : {"bin/wine", "bin/winepath"})
        fs::permissions(dir.file(program), fs::perms::owner_all);
    auto environment = registration.environment();
    environment.emplace_back("PATH", dir.file("bin") + ":" + std::getenv("PATH"));

    writeDatabases();
    const auto compiled = RunProgram(kCompiler, {"/ep", "/np"}, programFolder, environment);
    ASSERT_EQ(compiled.exitCode, 0) << compiled.errors;
    EXPECT_TRUE(fs::exists(trafficBgl));
    EXPECT_FALSE(fs::exists(dir.file("prefix/drive_c/Stale FS/SCENEDB")));
}
#endif

TEST_F(StandInToolsTest, unknownArgumentsAreRefused) {
    writeDatabases();
    const auto run = RunProgram(kCompiler, {"/ep", "/xx"}, programFolder, registration.environment());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errors.find("/xx"), std::string::npos);
    EXPECT_FALSE(fs::exists(trafficBgl));
    EXPECT_EQ(RunProgram(kDecompiler, {"/NP"}, tempData, registration.environment()).exitCode,
              1); // switches in any case
}

TEST_F(StandInToolsTest, theSimulatorsOwnTrafficFileIsNeverReplaced) {
    writeDatabases();
    for (const std::string& foreign :
         {std::string("MZ\x90\x00 a real traffic file"), std::string(), std::string("CVTRAFIC")}) {
        dir.write("prefix/drive_c/Flight Simulator 2002/SCENEDB/ATC/Scenery/traffic.bgl", foreign);
        const auto run = compile();
        EXPECT_NE(run.exitCode, 0) << foreign.size() << " bytes";
        EXPECT_NE(run.errors.find("real TCompiler.exe and TDecompiler.exe"), std::string::npos) << run.errors;
        EXPECT_EQ(read(trafficBgl), foreign);
    }
    // Its own file, even one whose contents are damaged, it replaces, leaving nothing beside it.
    std::string damaged = PackTrafficBgl({"a", "b", "c"});
    damaged.back() = static_cast<char>(damaged.back() ^ 1);
    dir.write("prefix/drive_c/Flight Simulator 2002/SCENEDB/ATC/Scenery/traffic.bgl", damaged);
    EXPECT_EQ(compile().exitCode, 0);
    EXPECT_EQ(read(trafficBgl), PackTrafficBgl(texts));
    EXPECT_EQ(test::NamesIn(fsFolder + "SCENEDB/ATC/Scenery"), std::vector<std::string>{"traffic.bgl"});
}

TEST_F(StandInToolsTest, aHugeForeignTrafficFileIsRefusedByItsHeader) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address-space limit and AddressSanitizer do not go together";
#elif defined(_WIN32)
    GTEST_SKIP() << "the address-space limit of a process is setrlimit's (POSIX); Wine keeps no such limit";
#else
    // 3 GB that are not ours: refused after reading the header, within a 256 MB address space.
    const std::string path = fsFolder + "SCENEDB/ATC/Scenery/traffic.bgl";
    dir.write("prefix/drive_c/Flight Simulator 2002/SCENEDB/ATC/Scenery/traffic.bgl", "MZ");
    fs::resize_file(path, 3ull << 30);
    const auto run = RunProgram(kDecompiler, {"/np"}, tempData, registration.environment(), 256ull << 20);
    EXPECT_EQ(run.exitCode, 1) << run.errors;
    EXPECT_NE(run.errors.find("damaged: not a traffic file of these tools"), std::string::npos) << run.errors;
    EXPECT_TRUE(test::NamesIn(tempData).empty());
#endif
}

TEST_F(StandInToolsTest, aFailedDecompileKeepsTheOldFiles) {
    dir.write("Corvane/TempData/aircraft.txt", "old aircraft");
    dir.write("Corvane/TempData/airports.txt", "old airports");
    dir.write("Corvane/TempData/flightplans.txt", "old flights");
    dir.write("prefix/drive_c/Flight Simulator 2002/SCENEDB/ATC/Scenery/traffic.bgl", PackTrafficBgl(texts));
    // flightplans.txt cannot be replaced (a folder stands there): nothing is replaced, nothing deleted.
    fs::remove(tempData + "flightplans.txt");
    dir.mkdir("Corvane/TempData/flightplans.txt");
    EXPECT_NE(decompile().exitCode, 0);
    EXPECT_EQ(dir.read("Corvane/TempData/aircraft.txt"), "old aircraft");
    EXPECT_EQ(dir.read("Corvane/TempData/airports.txt"), "old airports");
}

TEST_F(StandInToolsTest, corvaneTellsTheStandInsFromOtherTools) {
    EXPECT_TRUE(IsStandInTool(kCompiler));
    EXPECT_TRUE(IsStandInTool(kDecompiler));
    EXPECT_FALSE(IsStandInTool(CORVANE_CLI_PATH))
        << "the program that looks for the stand-ins' banner does not carry it";
    const std::string other = dir.write("other/TCompiler.exe", "MZ a real compiler");
    dir.write("other/tdecompiler.EXE", "MZ a real decompiler");
    EXPECT_FALSE(IsStandInTool(other));
    EXPECT_EQ(TrafficToolsDescription(CORVANE_PROGRAM_FOLDER),
              "Traffic tools: stand-in (the simulator cannot read what they compile)");
    EXPECT_EQ(TrafficToolsDescription(dir.file("other")),
              "Traffic tools: TCompiler.exe and TDecompiler.exe, not stand-in");
    fs::copy_file(kDecompiler, dir.file("other/tdecompiler.EXE"), fs::copy_options::overwrite_existing);
    EXPECT_EQ(TrafficToolsDescription(dir.file("other")),
              "Traffic tools: TDecompiler.exe is a stand-in, TCompiler.exe is not");
}
