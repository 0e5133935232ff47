#include "environment/scratch.h"
#include "platformtest.h"
#include "projects/importcommand.h"
#include "projects/projectcommands.h"
#include "roundtripfixture.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;

namespace {

namespace fs = std::filesystem;

const char* const kImportedFlight =
    "AC#4,IMP,50%,24Hr,IFR,08:00:00,10:00:00,100,F,1,EGLL,12:00:00,14:00:00,100,F,2,KSEA,";

struct ImportFixture : test::RoundTrip {
    std::string bgl = dir.write("FS2002/SCENEDB/ATC/Scenery/traffic.bgl", "the installed traffic");

    std::string importFile(const std::string& title) {
        return dir.write("export.cvp", "// Corvane Project File\r\nAC#4,430,\"" + title +
                                           "\"\r\nEGLL,N51* 28.65',W0* 27.68',83,Heathrow,UK\r\n" +
                                           kImportedFlight + "\r\n");
    }
};

} // namespace

TEST(RunImport, compilesAndStartsANewProject) {
    ImportFixture f;
    const std::string path = f.importFile("boeing 737-400");
    f.tools.expectExit(0, f.decompiles()).expectExit(0, f.compiles());
    f.prompts.expect("Done");
    EXPECT_EQ(RunImport(f.session, path), ImportOutcome::Imported);

    const Prompt& done = f.prompts.shown().back();
    EXPECT_EQ(done.text, path + "\r\nwas imported successfully to Traffic.BGL!");
    EXPECT_EQ(done.icon, Icon::Information);
    const std::string traffic = f.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl");
    // The imported flight uses the installed traffic's aircraft of that title.
    EXPECT_NE(traffic.find("AC#1,430,\"Boeing 737-400\"\r\n"), std::string::npos) << traffic;
    EXPECT_NE(traffic.find("EGLL,N51* 28.65',W0* 27.68',83\r\n"), std::string::npos) << traffic;
    EXPECT_NE(traffic.find("AC#1,IMP,50%"), std::string::npos) << traffic;
    EXPECT_EQ(f.backups(), 1);

    EXPECT_TRUE(f.session.db.flightTable().isEmpty());
    EXPECT_EQ(f.session.state.projectTag, "new");
    EXPECT_EQ(f.session.db.airportTable().rowCount(), 2) << "the airports of apt.dat";
    EXPECT_TRUE(f.session.db.missingAircraftTable().isEmpty());
}

TEST(RunImport, aFailedCompileNeverSaysImported) {
    ImportFixture f;
    const std::string path = f.importFile("Boeing 737-400");
    f.tools.expectExit(0, f.decompiles()).expectExit(1);
    f.prompts.expect("Error compiling Traffic.bgl");
    EXPECT_EQ(RunImport(f.session, path), ImportOutcome::CompileFailed);
    EXPECT_EQ(f.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl"), "the installed traffic");
    // The merged data stay loaded.
    EXPECT_EQ(f.session.db.flightTable().nonEmptyCount(), 2);
    EXPECT_EQ(f.session.state.projectTag, "fs");
    EXPECT_GE(f.session.db.airportTable().findByIcao("EGLL"), 0);
}

TEST(RunImport, unknownAircraftStopBeforeTheCompile) {
    ImportFixture f;
    const std::string path = f.importFile("Mystery Jet");
    f.tools.expectExit(0, f.decompiles());
    f.prompts.expect("Associate unknown aircraft");
    EXPECT_EQ(RunImport(f.session, path), ImportOutcome::NeedsAssociation);
    const Prompt& message = f.prompts.shown().back();
    EXPECT_EQ(message.text,
              "The import file include 1 aircraft that was not found in your FS2002 aircraft folder!\r\n\r\n"
              "To continue the import operation, please associate the ''Unknown Aircraft''.\r\n"
              "When you are done, choose ''Compile FS2000 Traffic.bgl'' form the ''File''\r\n"
              "menu, to complete this import session and to save the changes.");
    EXPECT_EQ(message.icon, Icon::Exclamation);
    EXPECT_EQ(f.tools.calls().size(), 1u) << "nothing compiled";
    EXPECT_EQ(f.session.db.flightTable().count(), 2);
    EXPECT_EQ(f.session.db.flightTable().at(1).substr(0, 8), "AC#3,IMP");
    EXPECT_EQ(f.session.db.missingAircraftTable().row(0), (TextTable::Row{"Mystery Jet", "430", "AC#3"}));
    EXPECT_EQ(f.session.state.projectTag, "fs");
    EXPECT_TRUE(fs::is_directory(BackupFolderPath(f.session.state.fsFolder)));
}

TEST(RunImport, aWrongPathChangesNothing) {
    ImportFixture f;
    f.addFlight();
    f.prompts.expect("Wrong path");
    EXPECT_EQ(RunImport(f.session, f.dir.file("nothing.cvp")), ImportOutcome::WrongPath);
    EXPECT_EQ(f.prompts.shown().back().text, "Please enter a correct path to an Corvane project file!");
    EXPECT_EQ(f.prompts.shown().back().icon, Icon::Exclamation);
    f.prompts.expect("Wrong path");
    EXPECT_EQ(RunImport(f.session, f.dir.path()), ImportOutcome::WrongPath) << "a folder is no file";
    EXPECT_EQ(f.session.db.flightTable().count(), 1);
    EXPECT_TRUE(f.tools.calls().empty());
}

TEST(RunImport, anUnreadableFileIsReportedBeforeAnythingIsReplaced) {
    ImportFixture f;
    f.addFlight();
    const std::string fifo = f.dir.file("pipe.cvp");
    const test::UnreadableFile unreadable(fifo);
    f.prompts.expect("Error reading file");
    EXPECT_EQ(RunImport(f.session, fifo), ImportOutcome::Unreadable);
    EXPECT_EQ(f.session.db.flightTable().count(), 1) << "no save prompt, nothing cleared";
    EXPECT_TRUE(f.tools.calls().empty());
}

TEST(RunImport, aFailedOpenLeavesTheOpenData) {
    ImportFixture f;
    LoadEmptyProject(f.session);
    const std::string path = f.importFile("Boeing 737-400");
    f.tools.expectStartFailure("no such program");
    f.prompts.expect("Error opening Traffic.bgl");
    EXPECT_EQ(RunImport(f.session, path), ImportOutcome::NotLoaded);
    EXPECT_TRUE(f.session.db.flightTable().isEmpty());
    EXPECT_EQ(f.session.db.airportTable().rowCount(), 2);
    EXPECT_EQ(f.session.db.aircraftChoices().entry(0), "Choose Aircraft");
    EXPECT_EQ(f.session.state.projectTag, "new");
}
