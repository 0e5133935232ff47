// The Windows builds of the stand-in tools under a real Wine behave as the native ones do: every byte
// of the three databases goes through, names are found in any case, a damaged or foreign traffic file
// is refused and left alone, a failure leaves the old files; and a simulator folder whose name is not
// ASCII is found through the registry.

#include "platform/registry.h"
#include "platform/textfile.h"
#include "realwine.h"
#include "tools/trafficcontainer.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::RealWine;

namespace fs = std::filesystem;

namespace {

// A program folder and TempData of the test's own beside the installation; the installation's
// traffic.bgl is put back afterwards.
struct WindowsTools : ::testing::Test {
    RealWine& wine = RealWine::get();
    test::TempDir work;
    std::string program = work.mkdir("Corvane");
    std::string tempData = work.mkdir("Corvane/TempData");
    const TrafficTexts texts{test::EveryByte() + "\r\nAC#1,250,\"Boeing 737-400\"\r\n", "\xFF\xFE\r\n",
                             "\r\n\r\n"};

    void TearDown() override { test::TempDir::writeFile(wine.trafficBgl, wine.original); }

    ToolResult compile() { return wine.run(wine.program + "TCompiler.exe", {"/ep", "/np"}, program); }
    ToolResult decompile() { return wine.run(wine.program + "TDecompiler.exe", {"/np"}, tempData); }
    void writeDatabases(const char* aircraft = "Aircraft.txt") {
        work.write("Corvane/" + std::string(aircraft), texts.aircraft);
        work.write("Corvane/Airports.txt", texts.airports);
        work.write("Corvane/FlightPlans.txt", texts.flightPlans);
    }
    std::string bgl() const { return wine.dir.read(wine.trafficBgl.substr(wine.dir.path().size())); }
};

} // namespace

TEST_F(WindowsTools, everyByteGoesThroughCompileAndDecompile) {
    writeDatabases("AIRCRAFT.TXT");
    const ToolResult compiled = compile();
    ASSERT_TRUE(compiled.succeeded()) << compiled.output;
    EXPECT_EQ(bgl(), PackTrafficBgl(texts));
    const ToolResult decompiled = decompile();
    ASSERT_TRUE(decompiled.succeeded()) << decompiled.output;
    EXPECT_EQ(test::NamesIn(tempData),
              (std::vector<std::string>{"aircraft.txt", "airports.txt", "flightplans.txt"}));
    EXPECT_EQ(work.read("Corvane/TempData/aircraft.txt"), texts.aircraft);
    EXPECT_EQ(work.read("Corvane/TempData/airports.txt"), texts.airports);
    EXPECT_EQ(work.read("Corvane/TempData/flightplans.txt"), texts.flightPlans);
}

TEST_F(WindowsTools, failuresChangeNothing) {
    // A missing database: refused, the old traffic file stays.
    work.write("Corvane/Aircraft.txt", texts.aircraft);
    ToolResult run = compile();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("Airports.txt"), std::string::npos) << run.output;
    EXPECT_EQ(bgl(), wine.original);

    // A traffic file that is not one of the stand-ins' is never replaced.
    writeDatabases();
    test::TempDir::writeFile(wine.trafficBgl, "MZ\x90 a real traffic file");
    run = compile();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("real TCompiler.exe and TDecompiler.exe"), std::string::npos) << run.output;
    EXPECT_EQ(bgl(), "MZ\x90 a real traffic file");

    // A damaged one is refused by the decompiler, which leaves no output.
    std::string damaged = PackTrafficBgl(texts);
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 1);
    test::TempDir::writeFile(wine.trafficBgl, damaged);
    run = decompile();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("damaged"), std::string::npos) << run.output;
    EXPECT_TRUE(test::NamesIn(tempData).empty());

    // Output that cannot be replaced (a folder stands where flightplans.txt goes): the old files stay.
    test::TempDir::writeFile(wine.trafficBgl, PackTrafficBgl(texts));
    work.write("Corvane/TempData/aircraft.txt", "old aircraft");
    work.mkdir("Corvane/TempData/flightplans.txt");
    EXPECT_EQ(decompile().exitCode, 1);
    EXPECT_EQ(work.read("Corvane/TempData/aircraft.txt"), "old aircraft");
    EXPECT_FALSE(fs::exists(tempData + "airports.txt"));
    // Unknown arguments are refused as by the native tools (the stand-in tools tests').
}

TEST_F(WindowsTools, aSimulatorFolderWhoseNameIsNotAsciiAndSceneryInAnyCase) {
    const std::string folder = wine.driveC + "Jeux \xC3\xA9t\xC3\xA9/FS2002 \xE2\x9C\x88/";
    fs::create_directories(folder);
    test::TempDir::writeFile(folder + "FS2002.EXE", "MZ");
    const std::string existing = folder + "SceneDB/atc/SCENERY/Traffic.BGL";
    test::TempDir::writeFile(existing, PackTrafficBgl({"a", "b", "c"}));
    wine.regAdd(std::string(kSimulatorKey), std::string(kExePathValue),
                "C:\\Jeux \xC3\xA9t\xC3\xA9\\FS2002 \xE2\x9C\x88");
    writeDatabases();
    const ToolResult compiled = compile();
    wine.regAdd(std::string(kSimulatorKey), std::string(kExePathValue), "C:\\Flight Simulator 2002");
    ASSERT_TRUE(compiled.succeeded()) << compiled.output;
    EXPECT_EQ(test::NamesIn(folder + "SceneDB/atc/SCENERY"), std::vector<std::string>{"Traffic.BGL"});
    const auto rebuilt = UnpackTrafficBgl(ReadFileBytes(existing).value_or(""));
    ASSERT_TRUE(rebuilt);
    EXPECT_EQ(rebuilt->aircraft, texts.aircraft);
}
