#include "environment/scratch.h"
#include "projects/trafficbgl.h"
#include "roundtripfixture.h"
#include "traffic/paths.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace corvane;
using test::RoundTrip;

namespace {

namespace fs = std::filesystem;

// A tool that fails in one way, and what the message must then say.
struct FailureCase {
    const char* what;
    std::function<void(RoundTrip&)> script;
    const char* said;
};

std::string CurrentFolder() {
    return fs::current_path().string();
}

} // namespace

TEST(OpenTrafficBgl, decompilesOnlyWhenNeeded) {
    RoundTrip f;
    const std::string before = CurrentFolder();
    f.tools.expectExit(0, f.decompiles());
    ASSERT_TRUE(OpenTrafficBgl(f.session, false));
    ASSERT_EQ(f.tools.calls().size(), 1u);
    EXPECT_EQ(f.tools.calls()[0].arguments, std::vector<std::string>{"/np"});
    EXPECT_EQ(f.tools.calls()[0].workingFolder, f.session.state.programFolder + "TempData");
    EXPECT_FALSE(f.session.state.decompileNeeded);
    EXPECT_EQ(f.session.state.projectTag, "fs");
    EXPECT_EQ(f.session.db.flightTable().count(), 1);
    EXPECT_EQ(f.session.db.missingAircraftTable().rowCount(), 1) << "not installed, not in import mode";
    EXPECT_EQ(f.session.db.airportTable().cell(0, AirportTable::Name), "Seattle Tacoma") << "apt.dat merged";
    EXPECT_EQ(CurrentFolder(), before);

    f.prompts.expect("Save Project", Answer::No);
    ASSERT_TRUE(OpenTrafficBgl(f.session, false)); // no second run: the script is empty
    EXPECT_EQ(f.tools.calls().size(), 1u);
    EXPECT_EQ(f.session.db.flightTable().count(), 1);

    // Import mode: every aircraft into the AircraftTable, no apt.dat, no installed aircraft added.
    f.prompts.expect("Save Project", Answer::No);
    ASSERT_TRUE(OpenTrafficBgl(f.session, true));
    EXPECT_EQ(f.session.db.aircraftTable().rowCount(), 2);
    EXPECT_EQ(f.session.db.airportTable().rowCount(), 2);
    EXPECT_EQ(f.session.db.aircraftChoices().headCount(), 0);
}

TEST(OpenTrafficBgl, aFailedDecompileLoadsNothingStale) {
    const FailureCase cases[] = {
        {"not started", [](RoundTrip& f) { f.tools.expectStartFailure("no such program"); },
         "could not be started"},
        {"failed", [](RoundTrip& f) { f.tools.expectExit(3, f.decompiles()); }, "exit status 3"},
        {"no flights", [](RoundTrip& f) { f.tools.expectExit(0, f.decompiles("flightplans.txt")); },
         "did not leave ''flightplans.txt''"},
    };
    for (const FailureCase& c : cases) {
        RoundTrip f;
        // Stale output of an earlier decompile must not be read.
        f.dir.write("program/TempData/flightplans.txt", "AC#9,STALE,100%,24Hr,IFR,\r\n");
        c.script(f);
        f.prompts.expect("Error opening Traffic.bgl");
        EXPECT_FALSE(OpenTrafficBgl(f.session, false)) << c.what;
        EXPECT_NE(f.prompts.shown().back().text.find(c.said), std::string::npos)
            << f.prompts.shown().back().text;
        EXPECT_TRUE(f.session.state.decompileNeeded) << c.what;
        EXPECT_TRUE(f.session.db.flightTable().isEmpty()) << c.what;
        EXPECT_EQ(f.session.db.airportTable().rowCount(), 2) << "an empty new project: " << c.what;
        EXPECT_EQ(f.session.state.projectTag, "new");
    }
}

TEST(OpenTrafficBgl, aFailedReadOfTempDataDecompilesAgainNextTime) {
    RoundTrip f;
    f.tools.expectExit(0, f.decompiles());
    ASSERT_TRUE(OpenTrafficBgl(f.session, false));
    ASSERT_FALSE(f.session.state.decompileNeeded);

    // What TempData holds can no longer be read: the Open fails without a decompile, and the next
    // Open does not try TempData again but runs the decompiler.
    fs::remove(f.dir.file("program/TempData/flightplans.txt"));
    f.prompts.expect("Save Project", Answer::No).expect("Error reading file");
    EXPECT_FALSE(OpenTrafficBgl(f.session, false));
    EXPECT_EQ(f.tools.calls().size(), 1u);
    EXPECT_TRUE(f.session.state.decompileNeeded);

    if (!f.session.db.flightTable().isEmpty()) f.prompts.expect("Save Project", Answer::No);
    f.tools.expectExit(0, f.decompiles());
    ASSERT_TRUE(OpenTrafficBgl(f.session, false));
    EXPECT_EQ(f.tools.calls().size(), 2u) << "decompiled again";
    EXPECT_EQ(f.session.db.flightTable().count(), 1);
    EXPECT_FALSE(f.session.state.decompileNeeded);
}

TEST(CompileTrafficBgl, asksBeforeReplacingAndBacksUp) {
    RoundTrip f;
    EXPECT_FALSE(CompileTrafficBgl(f.session)) << "an empty flight table does nothing";

    f.addFlight();
    f.session.state.decompileNeeded = false;
    f.prompts.expect("WARNING", Answer::No);
    EXPECT_FALSE(CompileTrafficBgl(f.session));
    EXPECT_EQ(f.prompts.shown().back().defaultAnswer, Answer::No);
    EXPECT_FALSE(f.session.state.decompileNeeded) << "No leaves everything as it was";
    EXPECT_EQ(f.editor.stored, 0);

    const std::string bgl = f.dir.write("FS2002/SCENEDB/ATC/Scenery/traffic.bgl", "the old traffic");
    f.tools.expectExit(0, f.compiles());
    f.prompts.expect("WARNING", Answer::Yes);
    const std::string before = CurrentFolder();
    ASSERT_TRUE(CompileTrafficBgl(f.session));
    EXPECT_EQ(CurrentFolder(), before);
    EXPECT_TRUE(f.session.state.decompileNeeded);
    EXPECT_EQ(f.tools.calls().at(0).arguments, (std::vector<std::string>{"/ep", "/np"}));
    EXPECT_NE(f.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl").find("AC#1,430,\"Boeing 737-400\""),
              std::string::npos);
    EXPECT_FALSE(fs::exists(f.dir.file("program/Aircraft.txt")))
        << "the text files do not outlive the compile";
    EXPECT_EQ(f.backups(), 1);

    // Data from Traffic.bgl: no question.
    f.session.state.projectTag = "fs";
    f.tools.expectExit(0, f.compiles());
    ASSERT_TRUE(CompileTrafficBgl(f.session));
    EXPECT_LE(f.backups(), 2);
    (void)bgl;
}

TEST(CompileTrafficBgl, twoCompilesInOneMinuteLeaveOneBackup) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        RoundTrip f;
        f.addFlight();
        f.session.state.projectTag = "fs";
        f.dir.write("FS2002/SCENEDB/ATC/Scenery/traffic.bgl", "first");
        const std::time_t start = std::time(nullptr);
        f.tools.expectExit(0, f.compiles()).expectExit(0, f.compiles());
        ASSERT_TRUE(CompileTrafficBgl(f.session));
        const std::string between = f.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl");
        ASSERT_TRUE(CompileTrafficBgl(f.session));
        if (std::time(nullptr) / 60 != start / 60)
            continue; // the minute turned between the compiles: try again
        ASSERT_EQ(f.backups(), 1);
        const auto backup = *fs::directory_iterator(BackupFolderPath(f.session.state.fsFolder));
        EXPECT_EQ(f.dir.read(fs::relative(backup.path(), f.dir.path()).string()), between)
            << "the backup holds the traffic file as it was before the second compile";
        return;
    }
    FAIL() << "no two compiles within one minute";
}

TEST(CompileTrafficBgl, aFailedCompileIsNeverSuccess) {
    const FailureCase cases[] = {
        {"not started", [](RoundTrip& f) { f.tools.expectStartFailure("no such program"); },
         "could not be started"},
        {"failed", [](RoundTrip& f) { f.tools.expectExit(1, f.compiles()); }, "exit status 1"},
        {"no new file", [](RoundTrip& f) { f.tools.expectExit(0); }, "did not build a new"},
    };
    for (const FailureCase& c : cases) {
        RoundTrip f;
        f.addFlight();
        f.session.state.projectTag = "fs";
        f.dir.write("FS2002/SCENEDB/ATC/Scenery/traffic.bgl", "the old traffic");
        c.script(f);
        f.prompts.expect("Error compiling Traffic.bgl");
        EXPECT_FALSE(CompileTrafficBgl(f.session)) << c.what;
        const std::string& text = f.prompts.shown().back().text;
        EXPECT_NE(text.find(c.said), std::string::npos) << text;
        EXPECT_NE(text.find("is kept"), std::string::npos) << "the backup stays: " << text;
        EXPECT_EQ(f.backups(), 1) << c.what;
        EXPECT_FALSE(fs::exists(f.dir.file("program/FlightPlans.txt"))) << c.what;
    }
}
