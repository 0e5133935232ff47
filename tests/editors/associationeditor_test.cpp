#include "editors/associationeditor.h"
#include "scriptedprompts.h"
#include "traffic/trafficdatabase.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct Association {
    TrafficDatabase db;
    test::ScriptedPrompts prompts;
    AssociationEditor editor{db, prompts};

    Association() {
        db.aircraftTable().add({"AC#1", "224", "Too Slow"});
        db.aircraftTable().add({"AC#2", "225", "Slowest Offered"});
        db.aircraftTable().add({"AC#3", "300", "fastest Offered"});
        db.aircraftTable().add({"AC#4", "301", "Too Fast"});
        db.aircraftTable().add({"AC#5", "250", "Same Speed"});
        db.missingAircraftTable().add({"Alpha Unknown", "100", "AC#8"});
        db.missingAircraftTable().add({"Mystery Jet", "250", "AC#9"});
        db.missingAircraftTable().add({"Zulu Unknown", "100", "AC#10"});
        for (const char* line : {"AC#9,A,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,",
                                 "AC#1,B,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,", "",
                                 " ac#9 ,C,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,",
                                 "AC#90,D,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,"})
            db.flightTable().append(line);
    }
};

struct RecordingBar : AssociationBar {
    std::vector<std::string> events;
    void started(int maximum) override { events.push_back("max " + std::to_string(maximum)); }
    void advanced(int value) override { events.push_back(std::to_string(value)); }
};

} // namespace

TEST(AssociationEditor, offersTheSpeedWindowAndRewritesEveryFlightOfTheUnknownAircraft) {
    Association a;
    a.editor.load(1);
    EXPECT_EQ(a.editor.txtName(), "Mystery Jet");
    EXPECT_EQ(a.editor.txtSpeed(), "250");
    EXPECT_EQ(a.editor.comFSAir(),
              (std::vector<std::string>{"fastest Offered", "Same Speed", "Slowest Offered"}));
    RecordingBar bar;
    EXPECT_EQ(a.editor.ok("same speed", bar), AssociationEditor::Result::Close);
    const auto& lines = a.db.flightTable().lines();
    EXPECT_EQ(lines[0], "AC#5,A,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,");
    EXPECT_EQ(lines[1], "AC#1,B,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,");
    EXPECT_EQ(lines[2], "") << "a deleted flight stays deleted";
    EXPECT_EQ(lines[3], "AC#5,C,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,") << "trimmed, case ignored";
    EXPECT_EQ(lines[4], "AC#90,D,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,");
    EXPECT_EQ(a.db.missingAircraftTable().rowCount(), 2);
    EXPECT_LT(a.db.missingAircraftTable().findByTitle("Mystery Jet"), 0);
    EXPECT_EQ(a.editor.selectedMissingRow(), 1) << "the neighbour that took the row's place";
    EXPECT_EQ(a.db.aircraftTable().rowCount(), 5) << "the chosen aircraft's row is not changed";
    EXPECT_EQ(a.db.aircraftTable().row(4), (TextTable::Row{"AC#5", "250", "Same Speed"}));
    EXPECT_EQ(bar.events, (std::vector<std::string>{"max 1", "0"}));
}

TEST(AssociationEditor, okFindsTheFlightsOfTheNumberInAnyWriting) {
    Association a;
    for (const char* line : {"AC#010,E,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,",
                             "ac#0010 ,F,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,",
                             "AC#100,G,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,"})
        a.db.flightTable().append(line);
    a.editor.load(2);
    ASSERT_EQ(a.editor.txtName(), "Zulu Unknown");
    a.editor.ok("Too Slow");
    const auto& lines = a.db.flightTable().lines();
    EXPECT_EQ(lines[5], "AC#1,E,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,");
    EXPECT_EQ(lines[6], "AC#1,F,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,");
    EXPECT_EQ(lines[7], "AC#100,G,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,");
    EXPECT_EQ(lines[4], "AC#90,D,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,");
}

TEST(AssociationEditor, theLastRowSelectsItsNeighbourBefore) {
    Association a;
    a.editor.load(2);
    a.db.aircraftTable().add({"AC#6", "100", "Small"});
    EXPECT_EQ(a.editor.ok("Small"), AssociationEditor::Result::Close);
    EXPECT_EQ(a.editor.selectedMissingRow(), 1);
    a.editor.load(1);
    a.editor.ok("Same Speed");
    a.editor.load(0);
    a.editor.ok("Small");
    EXPECT_EQ(a.editor.selectedMissingRow(), -1) << "none left";
}

TEST(AssociationEditor, noItemCancelAndATitleWithoutARowChangeNothing) {
    Association a;
    const auto flights = a.db.flightTable().lines();
    a.editor.load(1);
    EXPECT_EQ(a.editor.ok(""), AssociationEditor::Result::Stay);
    EXPECT_EQ(a.editor.cancel(), AssociationEditor::Result::Close);
    a.prompts.expect("Corvane");
    EXPECT_EQ(a.editor.ok("Nobody"), AssociationEditor::Result::Close);
    EXPECT_EQ(a.prompts.shown().back().text, "Error assosiate, cmdOK_Click, FI Is Nothing");
    EXPECT_EQ(a.prompts.shown().back().icon, Icon::Critical);
    EXPECT_EQ(a.db.flightTable().lines(), flights);
    EXPECT_EQ(a.db.missingAircraftTable().rowCount(), 3);
}

TEST(AssociationEditor, progressBarRange) {
    Association a;
    a.db.flightTable().clear();
    EXPECT_EQ(a.editor.progressMaximum(), 1) << "never 0";
    for (int i = 0; i < 25; ++i) a.db.flightTable().append("AC#9,X,100%,24Hr,IFR,");
    EXPECT_EQ(a.editor.progressMaximum(), 2);
    a.editor.load(1);
    RecordingBar bar;
    a.editor.ok("Same Speed", bar);
    EXPECT_EQ(bar.events, (std::vector<std::string>{"max 2", "0", "1", "2"}));
}

TEST(AssociationEditor, opensOnlyForASelectedUnknownAircraft) {
    Association a;
    EXPECT_TRUE(AssociationEditor::canOpen(a.db, 0));
    EXPECT_FALSE(AssociationEditor::canOpen(a.db, -1));
    EXPECT_FALSE(AssociationEditor::canOpen(a.db, 3));
    a.db.missingAircraftTable().clear();
    EXPECT_FALSE(AssociationEditor::canOpen(a.db, 0));
}
