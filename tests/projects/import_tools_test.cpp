// The round trip and the whole import through the stand-in traffic tools, run as real processes: the
// tables compiled into the simulator's traffic.bgl; the installed traffic decompiled, the project file
// merged into it, and traffic.bgl rebuilt after a backup; the result opened again. (That the tools work
// on the session's simulator folder whatever the registry names is the trafficbgl tests' with scripted
// tools, and cli_traffic's with these tools run as processes.)

#include "environment/scratch.h"
#include "platform/paths.h"
#include "projects/importcommand.h"
#include "projects/trafficbgl.h"
#include "standintools.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;

namespace fs = std::filesystem;

TEST(ImportThroughTheTools, endsInDoneWithARebuiltTrafficBglAndABackup) {
    test::ProjectFixture f;
    const test::StandInTools tools(f);

    // The installed traffic: one flight, compiled into traffic.bgl.
    f.addFlight();
    const std::string flight = f.session.db.flightTable().at(0);
    f.session.state.projectTag = "fs";
    const fs::path before = fs::current_path();
    ASSERT_TRUE(CompileTrafficBgl(f.session));
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_FALSE(fs::exists(f.session.state.programFolder + "Aircraft.txt"));
    const std::string bgl = TrafficBglPath(f.session.state.fsFolder);
    const std::string contentBefore = f.dir.read(fs::relative(bgl, f.dir.path()).string());
    ASSERT_TRUE(fs::is_empty(BackupFolderPath(f.session.state.fsFolder)));

    const std::string path =
        f.dir.write("export.cvp", "// Corvane Project File\r\n\r\n\r\n// Corvane Aircraft Database\r\n"
                                  "AC#1,430,\"Boeing 737-400\"\r\n\r\n\r\n// Corvane Airport Database\r\n"
                                  "EGLL,N51* 28.65',W0* 27.68',83,Heathrow,UK\r\n"
                                  "KSEA,N47* 26.88',W122* 18.62',433,Seattle,US\r\n\r\n\r\n"
                                  "// Corvane Flight Database\r\n"
                                  "AC#1,G-IMP,50%,24Hr,IFR,08:00:00,18:00:00,350,F,1,EGLL,"
                                  "20:00:00,06:00:00,350,F,2,KSEA,\r\n");
    // Compiled into the installed traffic that is open: nothing unsaved, no question.
    f.prompts.expect("Done");
    ASSERT_EQ(RunImport(f.session, path), ImportOutcome::Imported) << f.prompts.shown().back().text;
    EXPECT_NE(f.dir.read(fs::relative(bgl, f.dir.path()).string()), contentBefore);
    EXPECT_FALSE(fs::is_empty(BackupFolderPath(f.session.state.fsFolder))) << "the old traffic.bgl is kept";
    EXPECT_EQ(f.session.state.projectTag, "new");

    // Opening the rebuilt traffic shows both flights, the first as it was compiled.
    ASSERT_TRUE(OpenTrafficBgl(f.session, false)) << f.prompts.shown().back().text;
    EXPECT_FALSE(f.session.state.decompileNeeded);
    EXPECT_EQ(fs::current_path(), before);
    ASSERT_EQ(f.session.db.flightTable().count(), 2);
    EXPECT_EQ(f.session.db.flightTable().at(0), flight);
    EXPECT_EQ(f.session.db.aircraftTable().cell(0, AircraftTable::Title), "Boeing 737-400");
    EXPECT_EQ(f.session.db.flightTable().at(1),
              "AC#1,G-IMP,50%,24Hr,IFR,08:00:00,18:00:00,350,F,1,EGLL,20:00:00,06:00:00,350,F,2,KSEA,");
    EXPECT_GE(f.session.db.airportTable().findByIcao("EGLL"), 0);
}
