#include "tablesnapshot.h"

#include <gtest/gtest.h>

using namespace corvane;
using test::SnapshotOf;
using Snapshot = test::TablesSnapshot;

namespace {

// A small traffic set loaded outside any step, as a load is: the journal starts from it.
void Load(TrafficDatabase& db) {
    db.airportTable().add({"KSEA", "N47* 26.94'", "W122* 18.55'", "433", "Seattle", "US"});
    db.airportTable().add({"KBFI", "N47* 31.6'", "W122* 18.0'", "21", "Boeing Field", "US"});
    db.airportCodes().add("KSEA");
    db.airportCodes().add("KBFI");
    db.installedAircraftTable().add({"Boeing 737-400", "430", "430"});
    db.aircraftTable().add({"AC#1", "430", "Boeing 737-400"});
    db.missingAircraftTable().add({"Dash 8", "270", "AC#2"});
    db.aircraftChoices().add("Boeing 737-400");
    db.aircraftChoices().setHeads({"Choose Aircraft", "---"});
    for (int i = 0; i < 3; ++i)
        db.flightTable().append("AC#1,N" + std::to_string(i) +
                                ",100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KBFI,"
                                "10:00:00,11:00:00,100,F,2,KSEA,");
    db.journal().clear();
}

// Counts what observers hear, to see that undo and redo announce their changes.
struct Listener : TableObserver {
    int inserted = 0, removed = 0, changed = 0, resets = 0;
    void rowsInserted(int, int) override { ++inserted; }
    void rowsRemoved(int, int) override { ++removed; }
    void cellChanged(int, int) override { ++changed; }
    void wasReset() override { ++resets; }
};

} // namespace

TEST(ChangeJournal, everyKindOfChangeIsUndoneAndRedoneExactly) {
    TrafficDatabase db;
    Load(db);
    ChangeJournal& journal = db.journal();
    const Snapshot before = SnapshotOf(db);
    {
        StepScope step(journal, "Everything");
        db.airportTable().setCell(0, AirportTable::Name, "Sea");
        db.airportTable().setCell(0, AirportTable::Name, "Seattle-Tacoma");
        db.airportTable().add({"ENGM", "N60* 11.6'", "E11* 6.0'", "681", "Oslo", "Norway"});
        db.airportTable().remove(1);
        db.airportCodes().removeFirst("kbfi");
        db.airportCodes().add("ENGM");
        db.missingAircraftTable().add({"Airbus A320", "450", "AC#3"}); // sorted: goes first
        db.missingAircraftTable().remove(1);
        db.aircraftTable().clear();
        db.aircraftChoices().clear();
        db.installedAircraftTable().setCell(0, InstalledAircraftTable::Speed, "999");
        db.flightTable().replace(1, "AC#9,X,50%,24Hr,IFR,");
        db.flightTable().empty(2);
        db.flightTable().replace(1, "AC#9,Y,50%,24Hr,IFR,");
        db.flightTable().append("AC#1,NEW,100%,24Hr,IFR,");
        db.flightTable().append("AC#1,NEWER,100%,24Hr,IFR,");
        {
            TextTable::Batch batch(db.missingAircraftTable());
            db.missingAircraftTable().add({"Zeppelin", "60", "AC#8"});
            db.missingAircraftTable().add({"Autogiro", "70", "AC#7"});
        }
        {
            TextTable::Batch batch(db.airportTable());
            db.airportTable().add({"EKCH", "N55* 37.1'", "E12* 39.4'", "17", "Copenhagen", "Denmark"});
        }
        db.aircraftChoices().setHeads({"Choose"});
    }
    const Snapshot after = SnapshotOf(db);
    ASSERT_NE(after, before);
    EXPECT_EQ(journal.stepCount(), 1);
    EXPECT_EQ(journal.undoText(), "Everything");

    journal.undo();
    EXPECT_EQ(SnapshotOf(db), before);
    EXPECT_EQ(db.airportTable().findByIcao("KBFI"), 1) << "the lookups follow the restored rows";
    EXPECT_EQ(db.airportTable().findByIcao("ENGM"), -1);
    EXPECT_EQ(journal.redoText(), "Everything");
    journal.redo();
    EXPECT_EQ(SnapshotOf(db), after);
    EXPECT_EQ(db.airportTable().findByIcao("EKCH"), 2);
    journal.undo();
    EXPECT_EQ(SnapshotOf(db), before);
}

TEST(ChangeJournal, stepsUndoInOrderAndANewStepForgetsTheRedo) {
    TrafficDatabase db;
    Load(db);
    ChangeJournal& journal = db.journal();
    const Snapshot start = SnapshotOf(db);
    {
        StepScope step(journal, "Edit Tail number");
        db.flightTable().replace(0, "AC#1,A,100%,24Hr,IFR,");
    }
    const Snapshot first = SnapshotOf(db);
    {
        StepScope step(journal, "Delete Flight");
        {
            StepScope nested(journal, "ignored: joins the outer step");
            db.flightTable().empty(0);
        }
        db.flightTable().empty(1);
    }
    {
        StepScope nothing(journal, "Nothing"); // a step that changes nothing is dropped
    }
    EXPECT_EQ(journal.stepCount(), 2);
    EXPECT_EQ(journal.undoText(), "Delete Flight");
    journal.undo();
    EXPECT_EQ(SnapshotOf(db), first);
    EXPECT_EQ(journal.undoText(), "Edit Tail number");
    EXPECT_EQ(journal.redoText(), "Delete Flight");
    journal.undo();
    EXPECT_EQ(SnapshotOf(db), start);
    EXPECT_FALSE(journal.canUndo());
    journal.redo();
    {
        StepScope step(journal, "Add Flight");
        db.flightTable().append("AC#1,ADDED,100%,24Hr,IFR,");
    }
    EXPECT_FALSE(journal.canRedo()) << "the step that could be redone is gone";
    EXPECT_EQ(journal.stepCount(), 2);
    journal.undo();
    EXPECT_EQ(SnapshotOf(db), first);
}

TEST(ChangeJournal, cleanStateAndChangesOutsideSteps) {
    TrafficDatabase db;
    Load(db);
    ChangeJournal& journal = db.journal();
    EXPECT_TRUE(journal.isClean()) << "a load is clean";
    {
        StepScope step(journal, "Edit");
        db.airportTable().setCell(0, AirportTable::Elevation, "434");
    }
    EXPECT_FALSE(journal.isClean());
    journal.markClean(); // saved
    EXPECT_TRUE(journal.isClean());
    journal.undo();
    EXPECT_FALSE(journal.isClean()) << "undone past the saved point";
    journal.redo();
    EXPECT_TRUE(journal.isClean()) << "back at the saved point";
    journal.undo();
    {
        StepScope step(journal, "Other edit");
        db.airportTable().setCell(0, AirportTable::Elevation, "500");
    }
    journal.undo();
    EXPECT_FALSE(journal.isClean()) << "the saved point can no longer be reached";

    // A change that no step holds: nothing can be undone past it, and it is unsaved.
    journal.markClean();
    db.flightTable().replace(0, "AC#1,OUTSIDE,100%,24Hr,IFR,");
    EXPECT_FALSE(journal.canUndo());
    EXPECT_FALSE(journal.canRedo());
    EXPECT_FALSE(journal.isClean());
}

TEST(ChangeJournal, aJoinedStepBelongsToTheStepBefore) {
    TrafficDatabase db;
    Load(db);
    ChangeJournal& journal = db.journal();
    const Snapshot start = SnapshotOf(db);
    {
        StepScope step(journal, "Edit");
        db.flightTable().replace(0, "AC#7,A,100%,24Hr,IFR,");
    }
    {
        // A save renumbers: its changes go into the edit's step.
        StepScope save(journal, "", true);
        FlightTable::Edit edit(db.flightTable());
        edit.lines()[0] = "AC#1,A,100%,24Hr,IFR,";
    }
    journal.markClean();
    EXPECT_EQ(journal.stepCount(), 1);
    EXPECT_EQ(journal.undoText(), "Edit");
    journal.undo();
    EXPECT_EQ(SnapshotOf(db), start) << "undoing the edit undoes the renumbering too";
    EXPECT_FALSE(journal.isClean());
    journal.redo();
    EXPECT_EQ(db.flightTable().at(0), "AC#1,A,100%,24Hr,IFR,");
    EXPECT_TRUE(journal.isClean());

    // With no step before it, the renumbering is the new base.
    TrafficDatabase fresh;
    Load(fresh);
    {
        StepScope save(fresh.journal(), "", true);
        fresh.flightTable().replace(0, "AC#1,B,100%,24Hr,IFR,");
    }
    EXPECT_EQ(fresh.journal().stepCount(), 0);
    EXPECT_FALSE(fresh.journal().canUndo());
}

TEST(ChangeJournal, undoAndRedoAnnounceTheirChanges) {
    TrafficDatabase db;
    Load(db);
    Listener flights, airports;
    db.flightTable().observers().add(&flights);
    db.airportTable().observers().add(&airports);
    {
        StepScope step(db.journal(), "Step");
        db.flightTable().replace(0, "AC#1,Z,100%,24Hr,IFR,");
        db.flightTable().append("AC#1,W,100%,24Hr,IFR,");
        db.airportTable().remove(0);
    }
    flights = {};
    airports = {};
    db.journal().undo();
    EXPECT_EQ(flights.changed, 1);
    EXPECT_EQ(flights.removed, 1);
    EXPECT_EQ(airports.inserted, 1);
    db.journal().redo();
    EXPECT_EQ(flights.inserted, 1);
    EXPECT_EQ(airports.removed, 1);
    db.flightTable().observers().remove(&flights);
    db.airportTable().observers().remove(&airports);
}

TEST(ChangeJournal, aFilterOverManyFlightsIsOneStepOfTheLinesItChanged) {
    TrafficDatabase db;
    std::size_t lineBytes = 0;
    for (int i = 0; i < 10000; ++i) {
        const std::string line =
            "AC#" + std::to_string(i % 50) + ",N" + std::to_string(i) +
            ",100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KBFI,10:00:00,11:00:00,100,F,2,KSEA,";
        lineBytes += line.size();
        db.flightTable().append(line);
    }
    db.journal().clear();
    {
        StepScope step(db.journal(), "Filter - Time");
        for (int i = 0; i < db.flightTable().count(); ++i) {
            std::string line = db.flightTable().at(i);
            line.replace(line.find("08:00:00"), 8, "09:00:00");
            db.flightTable().replace(i, std::move(line));
        }
    }
    EXPECT_EQ(db.journal().stepCount(), 1);
    EXPECT_LE(db.journal().stepBytes(0), 2 * lineBytes);
    EXPECT_GE(db.journal().stepBytes(0), lineBytes);
}
