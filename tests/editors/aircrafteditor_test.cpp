#include "editors/aircrafteditor.h"
#include "legsfixture.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct Fixture : test::LegsFixture {
    AircraftEditor editor{db, legs, prompts};

    Fixture() {
        db.installedAircraftTable().add({"Boeing 737-400", "430", "430"});
        db.installedAircraftTable().add({"Cessna 172", "0124", "124"});
        db.aircraftTable().add({"AC#1", "0250", "BOEING 737-400"});
        db.missingAircraftTable().add({"Airbus A320", "460", "AC#2"});
        db.missingAircraftTable().add({"MD-82", "440", "AC#3"});
    }
};

} // namespace

TEST(AircraftEditor, speedsFromTheAircraftTableIntoBothTables) {
    Fixture f;
    f.editor.chooseInstalled(0);
    EXPECT_EQ(f.editor.speedTag(), "1") << "found ignoring case";
    EXPECT_EQ(f.editor.speedTxt(), "0250") << "the row's speed, not the scanner's";
    EXPECT_EQ(f.db.aircraftTable().cell(0, AircraftTable::Speed), "250") << "the click normalises";
    EXPECT_EQ(f.db.installedAircraftTable().cell(0, InstalledAircraftTable::Speed), "250");
    f.editor.editSpeed("280");
    EXPECT_EQ(f.db.aircraftTable().cell(0, AircraftTable::Speed), "280");
    EXPECT_EQ(f.db.installedAircraftTable().cell(0, InstalledAircraftTable::Speed), "280");
    EXPECT_EQ(f.db.installedAircraftTable().cell(0, InstalledAircraftTable::DefaultSpeed), "430");
    f.editor.editSpeed("fast");
    EXPECT_EQ(f.db.aircraftTable().cell(0, AircraftTable::Speed), "0");

    f.editor.chooseInstalled(1);
    EXPECT_EQ(f.editor.speedTag(), "") << "no row of its own";
    EXPECT_EQ(f.editor.speedTxt(), "0124");
    EXPECT_EQ(f.db.installedAircraftTable().cell(1, InstalledAircraftTable::Speed), "124");
}

TEST(AircraftEditor, removeUnknownAircraft) {
    Fixture f;
    f.editor.removeMissing(); // nothing selected: no question
    EXPECT_FALSE(f.editor.canAssociate());
    f.editor.chooseMissing(0);
    EXPECT_TRUE(f.editor.canAssociate());
    f.prompts.expect("Remove AI Aircraft", Answer::No);
    f.editor.removeMissing();
    EXPECT_EQ(f.db.missingAircraftTable().rowCount(), 2);
    f.prompts.expect("Remove AI Aircraft", Answer::Yes);
    f.editor.removeMissing();
    EXPECT_EQ(f.prompts.shown().back().text,
              "WARNING: All flights connected to this aircraft will be deleted!\r\n\r\n"
              "Are you sure you want to remove Airbus A320 form this project?");
    ASSERT_EQ(f.db.missingAircraftTable().rowCount(), 1);
    EXPECT_EQ(f.editor.selectedMissing(), 0) << "a neighbouring row becomes selected";
    f.prompts.expect("Remove AI Aircraft", Answer::Yes);
    f.editor.removeMissing();
    EXPECT_EQ(f.editor.selectedMissing(), -1);
    EXPECT_FALSE(f.editor.canAssociate());
}

TEST(AircraftEditor, aRebuildOfTheTablesKeepsTheLinkByTitle) {
    Fixture f;
    f.editor.chooseInstalled(0);
    f.editor.chooseMissing(1);
    // A save rebuilds the tables: the Boeing now stands in the second row.
    f.db.aircraftTable().clear();
    f.db.aircraftTable().add({"AC#1", "300", "Cessna 172"});
    f.db.aircraftTable().add({"AC#2", "250", "Boeing 737-400"});
    f.db.missingAircraftTable().clear();
    EXPECT_EQ(f.editor.selectedMissing(), -1);
    f.editor.editSpeed("290");
    EXPECT_EQ(f.db.aircraftTable().cell(0, AircraftTable::Speed), "300")
        << "not the row that used to be first";
    EXPECT_EQ(f.db.aircraftTable().cell(1, AircraftTable::Speed), "290");
    EXPECT_EQ(f.editor.speedTag(), "2");
}
