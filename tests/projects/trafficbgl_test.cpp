#include "environment/scratch.h"
#include "platform/paths.h"
#include "projects/projectcommands.h"
#include "projects/trafficbgl.h"
#include "roundtripfixture.h"
#include "traffic/changejournal.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace corvane;
using test::FakeToolRunner;
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

// What a runner returns for a tool it stopped.
ToolResult Stopped(ToolStop stop, std::string output = "") {
    ToolResult result;
    result.started = true;
    result.stop = stop;
    result.error = "stopped";
    result.output = std::move(output);
    return result;
}
ToolResult TimedOut(std::string output = "") {
    return Stopped(ToolStop::TimedOut, std::move(output));
}

} // namespace

TEST(OpenTrafficBgl, decompilesOnlyWhenNeeded) {
    RoundTrip f;
    const std::string before = CurrentFolder();
    f.session.toolTimeLimit = std::chrono::minutes(3);
    f.tools.expectExit(0, f.decompiles());
    ASSERT_TRUE(OpenTrafficBgl(f.session, false));
    ASSERT_EQ(f.tools.calls().size(), 1u);
    EXPECT_EQ(f.tools.calls()[0].arguments, std::vector<std::string>{"/np"});
    EXPECT_EQ(f.tools.calls()[0].workingFolder, f.session.state.programFolder + "TempData");
    // The decompiler runs in the progress window, and may be cancelled.
    const ToolRunOptions& options = f.tools.calls()[0].options;
    EXPECT_EQ(options.title, "Decompiling Traffic.bgl...");
    EXPECT_TRUE(options.cancellable);
    EXPECT_EQ(options.progress, &f.session.progress);
    EXPECT_EQ(options.timeLimit, std::chrono::minutes(3));
    EXPECT_FALSE(f.session.state.decompileNeeded);
    EXPECT_EQ(f.session.state.projectTag, "fs");
    EXPECT_EQ(f.session.db.flightTable().count(), 1);
    EXPECT_EQ(f.session.db.missingAircraftTable().rowCount(), 1) << "not installed, not in import mode";
    EXPECT_EQ(f.session.db.airportTable().cell(0, AirportTable::Name), "Seattle Tacoma") << "apt.dat merged";
    EXPECT_EQ(CurrentFolder(), before);

    // Unchanged since the open: no save question, and no second run (the script is empty).
    ASSERT_TRUE(OpenTrafficBgl(f.session, false));
    EXPECT_EQ(f.tools.calls().size(), 1u);
    EXPECT_EQ(f.session.db.flightTable().count(), 1);

    // Changed: the question comes, and Cancel stops the open.
    {
        StepScope step(f.session.db.journal(), "Edit Flight");
        f.session.db.flightTable().replace(0, "AC#1,EDITED,100%,24Hr,IFR,");
    }
    f.prompts.expect("Save Project", Answer::Cancel);
    EXPECT_FALSE(OpenTrafficBgl(f.session, false));
    EXPECT_EQ(f.session.db.flightTable().at(0), "AC#1,EDITED,100%,24Hr,IFR,");

    // Import mode: every aircraft into the AircraftTable, no apt.dat, no installed aircraft added.
    f.prompts.expect("Save Project", Answer::No);
    ASSERT_TRUE(OpenTrafficBgl(f.session, true));
    EXPECT_EQ(f.session.db.aircraftTable().rowCount(), 2);
    EXPECT_EQ(f.session.db.airportTable().rowCount(), 2);
    EXPECT_EQ(f.session.db.aircraftChoices().headCount(), 0);
}

TEST(OpenTrafficBgl, theFilesDecideNotTheExitStatus) {
    RoundTrip f;
    f.tools.expectExit(3, f.decompiles());
    ASSERT_TRUE(OpenTrafficBgl(f.session, false)) << "all three files are there: the open succeeds";
    EXPECT_FALSE(f.session.state.decompileNeeded);
    EXPECT_EQ(f.session.db.flightTable().count(), 1);
    EXPECT_TRUE(fs::exists(f.dir.file("program/TempData/flightplans.txt"))) << "the good output is kept";
}

TEST(OpenTrafficBgl, aFailedDecompileLoadsNothingStale) {
    const FailureCase cases[] = {
        {"not started", [](RoundTrip& f) { f.tools.expectStartFailure("no such program"); },
         "could not be started"},
        {"killed",
         [](RoundTrip& f) {
             f.tools.expect({true, -1, "killed by signal 9", ""}, f.decompiles());
         },
         "did not end normally"},
        {"failed", [](RoundTrip& f) { f.tools.expectExit(3, f.decompiles("airports.txt")); },
         "exit status 3"},
        {"no flights", [](RoundTrip& f) { f.tools.expectExit(0, f.decompiles("flightplans.txt")); },
         "did not leave ''flightplans.txt''"},
        {"timed out", [](RoundTrip& f) { f.tools.expect(TimedOut("begun"), f.decompiles()); },
         "''TDecompiler.exe'' did not end within 10 minutes and was stopped.\r\nbegun"},
        // Cancelled after it wrote part of its output: a cancel needs no message.
        {"cancelled",
         [](RoundTrip& f) { f.tools.expect(Stopped(ToolStop::Cancelled), f.decompiles("airports.txt")); },
         nullptr},
    };
    for (const FailureCase& c : cases) {
        RoundTrip f;
        f.addFlight(); // the data open before
        f.session.state.projectTag = f.dir.file("open.cvp");
        // Stale output of an earlier decompile must not be read.
        f.dir.write("program/TempData/flightplans.txt", "AC#9,STALE,100%,24Hr,IFR,\r\n");
        c.script(f);
        f.prompts.expect("Save Project", Answer::No);
        if (c.said) f.prompts.expect("Error opening Traffic.bgl");
        EXPECT_FALSE(OpenTrafficBgl(f.session, false)) << c.what;
        if (c.said) {
            EXPECT_NE(f.prompts.shown().back().text.find(c.said), std::string::npos)
                << f.prompts.shown().back().text;
        }
        EXPECT_TRUE(f.session.state.decompileNeeded) << c.what;
        EXPECT_FALSE(fs::exists(f.dir.file("program/TempData"))) << c.what;
        ASSERT_EQ(f.session.db.flightTable().count(), 1) << "the open data stay: " << c.what;
        EXPECT_EQ(f.session.db.flightTable().at(0).substr(0, 8), "AC#1,N1,") << c.what;
        EXPECT_EQ(f.session.db.airportTable().rowCount(), 2) << c.what;
        EXPECT_EQ(f.session.state.projectTag, f.dir.file("open.cvp"));
        EXPECT_EQ(f.editor.cleared, 0) << "the editor keeps its flight: " << c.what;
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
    // Nothing unsaved since the open: no save question.
    f.prompts.expect("Error reading file");
    EXPECT_FALSE(OpenTrafficBgl(f.session, false));
    EXPECT_EQ(f.tools.calls().size(), 1u);
    EXPECT_TRUE(f.session.state.decompileNeeded);

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

    f.dir.write("FS2002/SCENEDB/ATC/Scenery/traffic.bgl", "the old traffic");
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
}

TEST(CompileTrafficBgl, aCompileThatChangesNothingLeavesTheDataSaved) {
    // After a save or an open, the compile's renumbering and rebuilt aircraft tables are what they were:
    // no "*", no save question.
    RoundTrip f;
    f.readyToCompile();
    f.session.db.missingAircraftTable().add({"Not Installed", "300", "AC#2"});
    f.session.db.flightTable().append(
        "AC#2,N2,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,09:00:00,09:20:00,100,F,2,KSEA,");
    const std::string path = f.dir.file("Saved.cvp");
    f.prompts.expectFile(path);
    ASSERT_TRUE(SaveProject(f.session, SaveMode::SaveAs));
    f.tools.expectExit(0, f.compiles()).expectExit(0, f.compiles()).expectExit(0, f.compiles());
    f.prompts.expect("WARNING", Answer::Yes);
    ASSERT_TRUE(CompileTrafficBgl(f.session));
    EXPECT_FALSE(HasUnsavedChanges(f.session)) << "after a save";

    f.prompts.expectFile(path).expect("WARNING", Answer::Yes);
    OpenProject(f.session); // nothing unsaved: no question
    ASSERT_EQ(f.session.state.projectTag, path);
    ASSERT_TRUE(CompileTrafficBgl(f.session));
    EXPECT_FALSE(HasUnsavedChanges(f.session)) << "after an open";

    // A compile that does change the tables (an aircraft that no flight uses goes) leaves them unsaved.
    std::string unused = f.dir.read("Saved.cvp");
    const std::string section = "// Corvane Aircraft Database\r\n";
    unused.insert(unused.find(section) + section.size(), "AC#9,200,\"Unused Jet\"\r\n");
    f.prompts.expectFile(f.dir.write("Unused.cvp", unused)).expect("WARNING", Answer::Yes);
    OpenProject(f.session);
    ASSERT_EQ(f.session.db.missingAircraftTable().findByTitle("Unused Jet"), 1);
    ASSERT_FALSE(HasUnsavedChanges(f.session));
    ASSERT_TRUE(CompileTrafficBgl(f.session));
    EXPECT_EQ(f.session.db.missingAircraftTable().findByTitle("Unused Jet"), -1);
    EXPECT_TRUE(HasUnsavedChanges(f.session));
}

TEST(CompileTrafficBgl, twoCompilesInOneMinuteKeepBothBackups) {
    RoundTrip f;
    f.readyToCompile("first");
    f.tools.expectExit(0, f.compiles()).expectExit(0, f.compiles());
    ASSERT_TRUE(CompileTrafficBgl(f.session));
    const std::string firstBackup = f.session.lastBackup;
    const std::string between = f.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl");
    ASSERT_TRUE(CompileTrafficBgl(f.session));
    ASSERT_EQ(f.backups(), 2);
    EXPECT_NE(f.session.lastBackup, firstBackup);
    EXPECT_EQ(f.dir.read(fs::relative(firstBackup, f.dir.path()).string()), "first")
        << "the first backup keeps the original traffic file";
    EXPECT_EQ(f.dir.read(fs::relative(f.session.lastBackup, f.dir.path()).string()), between)
        << "the second backup holds the traffic file as it was before the second compile";
}

TEST(CompileTrafficBgl, noBackupNoCompile) {
    RoundTrip f;
    f.readyToCompile();
    f.dir.write("FS2002/SCENEDB/ATC/Scenery/Traffic Backup", "a file where the folder should be");
    f.prompts.expect("Error compiling Traffic.bgl");
    EXPECT_FALSE(CompileTrafficBgl(f.session));
    const std::string& text = f.prompts.shown().back().text;
    EXPECT_NE(text.find("''" + f.dir.file("FS2002/SCENEDB/ATC/Scenery/Traffic Backup/Traffic (")),
              std::string::npos)
        << "the message names the backup: " << text;
    EXPECT_NE(text.find("was not replaced"), std::string::npos) << text;
    EXPECT_TRUE(f.tools.calls().empty()) << "the compiler never ran";
    EXPECT_EQ(f.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl"), "the old traffic");
    EXPECT_FALSE(fs::exists(f.dir.file("program/Aircraft.txt")));
    EXPECT_EQ(f.session.db.flightTable().at(0).substr(0, 5), "AC#1,") << "the tables are not rewritten";

    // With no traffic file at all there is nothing to lose: the compile makes the first one.
    RoundTrip fresh;
    fresh.readyToCompile(nullptr);
    fresh.tools.expectExit(0, fresh.compiles());
    EXPECT_TRUE(CompileTrafficBgl(fresh.session));
    EXPECT_EQ(fresh.session.lastBackup, "");
    EXPECT_EQ(fresh.backups(), 0);
}

TEST(CompileTrafficBgl, aNewTrafficFileIsSuccessWhateverTheExitStatus) {
    RoundTrip f;
    f.readyToCompile();
    f.tools.expectExit(2, f.compiles());
    EXPECT_TRUE(CompileTrafficBgl(f.session));
    EXPECT_NE(f.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl"), "the old traffic");
    // One stopped after it began to write fails all the same (the time-limit test below).
}

TEST(CompileTrafficBgl, aFailedCompileIsNeverSuccess) {
    const FailureCase cases[] = {
        {"not started", [](RoundTrip& f) { f.tools.expectStartFailure("no such program"); },
         "could not be started"},
        {"killed",
         [](RoundTrip& f) {
             f.tools.expect({true, -1, "killed by signal 9", ""});
         },
         "did not end normally"},
        {"failed",
         [](RoundTrip& f) {
             f.tools.expect({true, 1, "", "refused: not a traffic file of mine"});
         },
         "exit status 1.\r\nrefused: not a traffic file of mine"},
        {"no new file", [](RoundTrip& f) { f.tools.expectExit(0); }, "did not build a new"},
        {"timed out", [](RoundTrip& f) { f.tools.expect(TimedOut()); }, "did not end within 10 minutes"},
    };
    for (const FailureCase& c : cases) {
        RoundTrip f;
        f.readyToCompile();
        c.script(f);
        f.prompts.expect("Error compiling Traffic.bgl");
        EXPECT_FALSE(CompileTrafficBgl(f.session)) << c.what;
        const std::string& text = f.prompts.shown().back().text;
        EXPECT_NE(text.find(c.said), std::string::npos) << text;
        EXPECT_NE(text.find("is kept"), std::string::npos) << "the backup stays: " << text;
        EXPECT_NE(text.find("was not replaced"), std::string::npos) << text;
        EXPECT_EQ(f.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl"), "the old traffic") << c.what;
        EXPECT_EQ(f.backups(), 1) << c.what;
        EXPECT_FALSE(fs::exists(f.dir.file("program/FlightPlans.txt"))) << c.what;
    }
}

TEST(CompileTrafficBgl, theCompilerCannotBeCancelledAndIsStoppedOnlyByItsTimeLimit) {
    RoundTrip f;
    f.readyToCompile();
    f.session.toolTimeLimit = std::chrono::minutes(1);
    f.tools.expectExit(0, f.compiles());
    ASSERT_TRUE(CompileTrafficBgl(f.session));
    const ToolRunOptions& options = f.tools.calls()[0].options;
    EXPECT_EQ(options.title, "Compiling Traffic.bgl...");
    EXPECT_FALSE(options.cancellable);
    EXPECT_NE(options.note.find("cannot be cancelled"), std::string::npos) << options.note;
    EXPECT_EQ(options.progress, &f.session.progress);
    EXPECT_EQ(options.timeLimit, std::chrono::minutes(1));

    // Stopped past its limit after it began to write: the file may be incomplete, the backup is kept.
    f.tools.expect(TimedOut(), f.compiles());
    f.prompts.expect("Error compiling Traffic.bgl");
    EXPECT_FALSE(CompileTrafficBgl(f.session));
    const std::string& text = f.prompts.shown().back().text;
    EXPECT_NE(text.find("''TCompiler.exe'' did not end within 1 minute and was stopped."), std::string::npos)
        << text;
    EXPECT_NE(text.find("may be incomplete"), std::string::npos) << text;
    EXPECT_NE(text.find("The backup ''" + f.session.lastBackup + "'' is kept."), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(f.dir.file("program/Aircraft.txt")));
}

TEST(CompileTrafficBgl, theToolsWorkOnTheSimulatorFolderWhateverTheRegistryNamed) {
    // The registry names another installation; Corvane works on FS2002. However a tool ends, it ran
    // with the value naming FS2002, and the other installation is named again afterwards.
    const std::string kOther = "Other FS";
    const struct {
        const char* what;
        ToolResult result;
    } cases[] = {{"compiled", {true, 0, "", ""}}, {"failed", {true, 1, "", ""}}, {"timed out", TimedOut()}};
    for (const auto& [what, result] : cases) {
        RoundTrip f;
        f.readyToCompile();
        const std::string other = f.dir.mkdir(kOther);
        f.dir.write(kOther + "/fs2002.exe", "MZ");
        f.dir.write(kOther + "/SCENEDB/ATC/Scenery/traffic.bgl", "the other traffic");
        const std::string otherValue = other.substr(0, other.size() - 1);
        SetRegString(f.registry, kLocalMachine, kSimulatorKey, kExePathValue, otherValue);
        std::string named;
        const auto compiles = f.compiles();
        f.tools.expect(result, [&, builds = result.exitCode == 0](const FakeToolRunner::Call& call) {
            named = RegisteredFSFolder(f.registry);
            if (builds) compiles(call);
        });
        if (result.exitCode != 0) f.prompts.expect("Error compiling Traffic.bgl");
        EXPECT_EQ(CompileTrafficBgl(f.session), result.exitCode == 0) << what;
        EXPECT_EQ(WithSeparator(named), f.session.state.fsFolder) << what;
        EXPECT_EQ(RegisteredFSFolder(f.registry), otherValue) << what;
        EXPECT_EQ(f.dir.read(kOther + "/SCENEDB/ATC/Scenery/traffic.bgl"), "the other traffic") << what;
    }

    // The open as well, a cancelled decompile too; a value already naming FS2002 is not written.
    RoundTrip f;
    f.dir.write(kOther + "/fs2002.exe", "MZ");
    SetRegString(f.registry, kLocalMachine, kSimulatorKey, kExePathValue, f.dir.file(kOther));
    std::vector<std::string> named;
    const auto decompiles = f.decompiles();
    const auto seen = [&](const FakeToolRunner::Call& call) {
        named.push_back(RegisteredFSFolder(f.registry));
        decompiles(call);
    };
    f.tools.expect(Stopped(ToolStop::Cancelled), seen).expectExit(0, seen);
    EXPECT_FALSE(OpenTrafficBgl(f.session, false));
    EXPECT_EQ(RegisteredFSFolder(f.registry), f.dir.file(kOther));
    ASSERT_TRUE(OpenTrafficBgl(f.session, false));
    EXPECT_EQ(named, std::vector<std::string>(2, f.dir.file("FS2002")));
    EXPECT_EQ(RegisteredFSFolder(f.registry), f.dir.file(kOther));
    const int writes = f.registry.writeCount();
    SetRegString(f.registry, kLocalMachine, kSimulatorKey, kExePathValue, f.dir.file("FS2002/"));
    f.session.state.decompileNeeded = true;
    f.tools.expectExit(0, f.decompiles());
    ASSERT_TRUE(OpenTrafficBgl(f.session, false));
    EXPECT_EQ(f.registry.writeCount(), writes + 1) << "named already: left alone";

    // A value that names no installation is left naming FS2002, as the folder check repairs it.
    for (const std::string& value : {std::string(), f.dir.file("Nowhere")}) {
        SetRegString(f.registry, kLocalMachine, kSimulatorKey, kExePathValue, value);
        f.session.state.decompileNeeded = true;
        f.tools.expectExit(0, f.decompiles());
        ASSERT_TRUE(OpenTrafficBgl(f.session, false));
        EXPECT_EQ(RegisteredFSFolder(f.registry), f.dir.file("FS2002")) << value;
    }
}

TEST(CompileTrafficBgl, noToolRunsWhileTheRegistryNamesAnotherFolder) {
    RoundTrip f;
    f.readyToCompile();
    f.dir.write("Other FS/fs2002.exe", "MZ");
    SetRegString(f.registry, kLocalMachine, kSimulatorKey, kExePathValue, f.dir.file("Other FS"));
    f.registry.refuseWrites("Access is denied.");
    f.prompts.expect("Error compiling Traffic.bgl");
    EXPECT_FALSE(CompileTrafficBgl(f.session));
    std::string text = f.prompts.shown().back().text;
    for (const std::string& said :
         {"''" + f.dir.file("Other FS") + "''", "''" + f.session.state.fsFolder + "''",
          std::string("Access is denied."), std::string("was not replaced")})
        EXPECT_NE(text.find(said), std::string::npos) << said << " in " << text;
    EXPECT_TRUE(f.tools.calls().empty());
    EXPECT_EQ(f.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl"), "the old traffic");

    f.prompts.expect("Save Project", Answer::No).expect("Error opening Traffic.bgl");
    EXPECT_FALSE(OpenTrafficBgl(f.session, false));
    text = f.prompts.shown().back().text;
    EXPECT_NE(text.find("''" + f.dir.file("Other FS") + "''"), std::string::npos) << text;
    EXPECT_NE(text.find("was not opened"), std::string::npos) << text;
    EXPECT_TRUE(f.tools.calls().empty());

    // Set, but not set back: the compile is done, and the user is told what the value names now.
    f.registry.refuseWrites("");
    f.tools.expectExit(0, [&](const FakeToolRunner::Call& call) {
        f.compiles()(call);
        f.registry.refuseWrites("Access is denied.");
    });
    f.prompts.expect("Error restoring FS2002 path");
    EXPECT_TRUE(CompileTrafficBgl(f.session));
    text = f.prompts.shown().back().text;
    EXPECT_NE(text.find("could not be set back to ''" + f.dir.file("Other FS") + "''"), std::string::npos)
        << text;
    EXPECT_NE(text.find("''" + f.session.state.fsFolder + "''"), std::string::npos) << text;
}
