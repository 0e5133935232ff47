// The whole round trip through the stand-in traffic tools, run as real processes: compile the tables
// into the simulator's traffic.bgl, then open it again.

#include "environment/scratch.h"
#include "projects/trafficbgl.h"
#include "standintools.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;

namespace fs = std::filesystem;

TEST(RoundTripThroughTheTools, compileThenOpen) {
    test::ProjectFixture f;
    const test::StandInTools tools(f);
    f.addFlight();
    f.session.state.projectTag = "fs";
    const std::string before = fs::current_path().string();

    ASSERT_TRUE(CompileTrafficBgl(f.session));
    EXPECT_TRUE(fs::exists(TrafficBglPath(f.session.state.fsFolder)));
    EXPECT_EQ(fs::current_path().string(), before);
    EXPECT_FALSE(fs::exists(f.session.state.programFolder + "Aircraft.txt"));

    // The data went into the installed traffic, which is what is open: nothing is unsaved.
    ASSERT_TRUE(OpenTrafficBgl(f.session, false)) << f.prompts.shown().back().text;
    EXPECT_FALSE(f.session.state.decompileNeeded);
    ASSERT_EQ(f.session.db.flightTable().count(), 1);
    EXPECT_EQ(f.session.db.flightTable().at(0),
              "AC#1,N1,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,09:00:00,09:20:00,100,F,2,KSEA,");
    EXPECT_EQ(f.session.db.aircraftTable().cell(0, AircraftTable::Title), "Boeing 737-400");
    EXPECT_EQ(fs::current_path().string(), before);

    // A second compile backs the first traffic.bgl up.
    f.session.editor = &f.editor;
    ASSERT_TRUE(CompileTrafficBgl(f.session));
    EXPECT_TRUE(fs::is_directory(BackupFolderPath(f.session.state.fsFolder)));
    EXPECT_FALSE(fs::is_empty(BackupFolderPath(f.session.state.fsFolder)));
}
