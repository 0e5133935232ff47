// The "Check traffic..." window's logic.

#include "editors/trafficcheckeditor.h"
#include "memoryregistry.h"
#include "sessionfixture.h"

#include <functional>
#include <gtest/gtest.h>

using namespace corvane;

namespace {

using Cells = std::vector<std::string>;

struct Fixture : test::SessionFixture {
    test::MemorySettings settings;
    TrafficCheckEditor check{session, settings};

    // 0: unknown airport XXXX and too low; 1: deleted; 2: clean; 3: same airport with a short turnaround;
    // 4: traffic percent 0.
    Fixture() {
        for (const char* code : {"ENGM", "ESSA", "EKCH"}) addAirport(code);
        session.db.aircraftTable().add({"AC#1", "450", "Boeing 737"});
        AddInstalledAircraft(session.db);
        add("AC#1,T0,50%,24Hr,IFR,08:00:00,08:15:00,5,F,1,XXXX,09:00:00,09:15:00,100,F,2,ENGM,");
        add("");
        add("AC#1,T2,50%,24Hr,IFR,08:00:00,08:15:00,100,F,1,ESSA,09:00:00,09:15:00,100,F,2,ENGM,");
        add("AC#1,T3,50%,24Hr,IFR,08:00:00,08:15:00,100,F,1,EKCH,08:20:00,08:35:00,100,F,2,EKCH,"
            "09:00:00,09:15:00,100,F,3,ENGM,");
        add("AC#1,T4,0%,24Hr,IFR,08:00:00,08:15:00,100,F,1,ESSA,09:00:00,09:15:00,100,F,2,ENGM,");
    }
    Cells column(int c) const {
        Cells cells;
        for (int row = 0; row < check.rowCount(); ++row) cells.push_back(check.cell(row, c));
        return cells;
    }
};

using Editor = TrafficCheckEditor;

} // namespace

TEST(TrafficCheckEditor, rowsCellsAndCounts) {
    Fixture f;
    EXPECT_TRUE(f.check.stale()) << "nothing checked yet";
    f.check.refresh();
    EXPECT_FALSE(f.check.stale());
    EXPECT_EQ(f.column(Editor::CheckColumn), (Cells{"Cruise altitude", "Unknown airport", "Same airport",
                                                    "Short turnaround", "Traffic percent"}));
    EXPECT_EQ(f.column(Editor::SeverityColumn), (Cells{"warning", "error", "error", "warning", "warning"}));
    EXPECT_EQ(f.column(Editor::FlightColumn), (Cells{"0", "0", "3", "3", "4"}));
    EXPECT_EQ(f.column(Editor::LegColumn), (Cells{"1", "1", "2", "2", ""}));
    EXPECT_EQ(f.column(Editor::RouteColumn),
              (Cells{"ENGM-XXXX", "ENGM-XXXX", "ENGM-EKCH-EKCH", "ENGM-EKCH-EKCH", "ENGM-ESSA"}));
    EXPECT_EQ(f.check.cell(2, Editor::MessageColumn), "EKCH-EKCH: the leg departs from and arrives at EKCH.");
    EXPECT_EQ(f.check.countsText(), "2 errors, 3 warnings in 3 flights");

    // The turnaround minimum comes from the settings.
    f.settings.setValue("Turnaround Minutes", "5");
    f.check.refresh();
    EXPECT_EQ(f.check.report().warnings, 2) << "five minutes on the ground at EKCH are enough";
}

TEST(TrafficCheckEditor, filtersBySeverityAndCheck) {
    Fixture f;
    f.check.refresh();
    f.check.filterSeverity(Editor::SeverityFilter::Errors);
    EXPECT_EQ(f.column(Editor::CheckColumn), (Cells{"Unknown airport", "Same airport"}));
    EXPECT_EQ(f.check.countsText(), "2 errors, 3 warnings in 3 flights; 2 shown");
    f.check.filterSeverity(Editor::SeverityFilter::Warnings);
    EXPECT_EQ(f.column(Editor::CheckColumn),
              (Cells{"Cruise altitude", "Short turnaround", "Traffic percent"}));
    const auto percent = std::find(kAllChecks.begin(), kAllChecks.end(), Check::Percent) - kAllChecks.begin();
    f.check.filterCheck(static_cast<int>(percent));
    EXPECT_EQ(f.column(Editor::FlightColumn), (Cells{"4"}));
    f.check.filterSeverity(Editor::SeverityFilter::Errors);
    EXPECT_EQ(f.check.rowCount(), 0);
    EXPECT_EQ(f.check.countsText(), "2 errors, 3 warnings in 3 flights; 0 shown");
    f.check.filterSeverity(Editor::SeverityFilter::All);
    f.check.filterCheck(-1);
    EXPECT_EQ(f.check.rowCount(), 5);
    f.check.filterCheck(kCheckCount);
    EXPECT_EQ(f.check.checkFilter(), -1) << "out of range is every check";

    // The filters stay through a new check.
    f.check.filterSeverity(Editor::SeverityFilter::Errors);
    f.check.refresh();
    EXPECT_EQ(f.check.rowCount(), 2);
}

TEST(TrafficCheckEditor, sortsByAColumnAndBack) {
    Fixture f;
    f.check.refresh();
    const int revision = f.check.rowsRevision();
    f.check.clickHeader(Editor::CheckColumn);
    EXPECT_GT(f.check.rowsRevision(), revision);
    EXPECT_EQ(f.column(Editor::CheckColumn), (Cells{"Cruise altitude", "Same airport", "Short turnaround",
                                                    "Traffic percent", "Unknown airport"}));
    f.check.clickHeader(Editor::CheckColumn);
    EXPECT_FALSE(f.check.ascending());
    EXPECT_EQ(f.column(Editor::CheckColumn), (Cells{"Unknown airport", "Traffic percent", "Short turnaround",
                                                    "Same airport", "Cruise altitude"}));
    f.check.clickHeader(Editor::SeverityColumn);
    EXPECT_TRUE(f.check.ascending());
    EXPECT_EQ(f.column(Editor::CheckColumn), (Cells{"Unknown airport", "Same airport", "Cruise altitude",
                                                    "Short turnaround", "Traffic percent"}))
        << "errors first; equal ones in report order";
    f.check.clickHeader(Editor::SeverityColumn);
    EXPECT_EQ(f.column(Editor::CheckColumn), (Cells{"Cruise altitude", "Short turnaround", "Traffic percent",
                                                    "Unknown airport", "Same airport"}))
        << "descending, equal ones still in report order";
    f.check.clickHeader(Editor::FlightColumn);
    f.check.clickHeader(Editor::FlightColumn);
    EXPECT_EQ(f.column(Editor::FlightColumn), (Cells{"4", "3", "3", "0", "0"}));
    f.check.clickHeader(Editor::LegColumn);
    EXPECT_EQ(f.column(Editor::LegColumn), (Cells{"", "1", "1", "2", "2"}));
    f.check.clickHeader(Editor::RouteColumn);
    EXPECT_EQ(f.column(Editor::RouteColumn).front(), "ENGM-EKCH-EKCH");
    f.check.clickHeader(Editor::MessageColumn);
    EXPECT_EQ(f.column(Editor::CheckColumn).front(), "Same airport") << "EKCH-EKCH: ... comes first";
    f.check.clickHeader(17);
    EXPECT_EQ(f.check.sortColumn(), Editor::MessageColumn);
}

TEST(TrafficCheckEditor, staleAfterAChangeOrANewMinimum) {
    Fixture f;
    f.check.refresh();
    f.flights.chooseAirport("ESSA");
    f.flights.SaveToLST();
    EXPECT_FALSE(f.check.stale()) << "listing and storing an unchanged flight changes nothing";
    f.flights.editTail("T3");
    EXPECT_FALSE(f.check.stale()) << "the edit is in the editor only";
    f.check.refresh();
    EXPECT_EQ(f.check.report().warnings, 5) << "the refresh stored the edit first: T3 is now used twice";
    EXPECT_FALSE(f.check.stale());

    TrafficDatabase& db = f.session.db;
    const std::function<void()> changes[] = {
        [&] { db.airportTable().setCell(0, AirportTable::Latitude, "N61* 0.0'"); },
        [&] { f.add("AC#1,T9,50%,24Hr,IFR,08:00:00,08:15:00,100,F,1,ESSA,09:00:00,09:15:00,100,F,2,ENGM,"); },
        [&] { db.aircraftTable().setCell(0, AircraftTable::Speed, "9"); },
        [&] {
            db.missingAircraftTable().add({"Ghost", "300", "AC#7"});
        },
        [&] { db.flightTable().clear(); },
        [&] { f.settings.setValue("Turnaround Minutes", "3"); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        changes[i]();
        EXPECT_TRUE(f.check.stale()) << "change " << i;
        f.check.refresh();
        EXPECT_FALSE(f.check.stale()) << "change " << i;
    }
}

TEST(TrafficCheckEditor, doubleClickShowsTheFlightAndLeg) {
    Fixture f;
    f.check.refresh();
    ASSERT_TRUE(f.check.showProblem(3, f.flights)); // flight 3, leg 2: EKCH-EKCH
    EXPECT_EQ(f.flights.CurrentFlightIndex(), 3);
    EXPECT_EQ(f.flights.aptComText(), "ENGM");
    EXPECT_EQ(f.flights.legs().selectedRow(), 1);
    EXPECT_EQ(f.flights.legs().fields().depCom, "EKCH");
    EXPECT_EQ(f.flights.legs().fields().desCom, "EKCH");
    ASSERT_TRUE(f.check.showProblem(4, f.flights)); // flight 4, the whole flight
    EXPECT_EQ(f.flights.CurrentFlightIndex(), 4);
    EXPECT_EQ(f.flights.legs().selectedRow(), 0);
    EXPECT_FALSE(f.check.showProblem(5, f.flights));

    f.session.db.flightTable().empty(0);
    f.prompts.expect("Traffic check");
    EXPECT_FALSE(f.check.showProblem(0, f.flights));
    EXPECT_EQ(f.prompts.shown().back().text,
              "Flight 0 was deleted after the check.\r\nRefresh the check to see "
              "the problems of the traffic as it is now.");
    EXPECT_EQ(f.flights.CurrentFlightIndex(), 4);
}

TEST(TrafficCheckEditor, beforeCompileChecksTheEditedFlight) {
    Fixture f;
    f.session.db.flightTable().empty(0);
    f.session.db.flightTable().empty(3);
    EXPECT_EQ(f.check.beforeCompile(), CompileChoice::Compile);
    f.flights.chooseAirport("ESSA");
    ASSERT_EQ(f.flights.CurrentFlightIndex(), 2);
    f.flights.legs().chooseDestination("ENGM"); // ENGM-ENGM
    f.check.filterSeverity(Editor::SeverityFilter::Warnings);
    f.check.filterCheck(0);
    f.prompts.expect("Traffic check", Answer::Yes);
    EXPECT_EQ(f.check.beforeCompile(), CompileChoice::ShowProblems);
    EXPECT_EQ(f.check.report().flightsMishandled, 1);
    EXPECT_EQ(f.check.severityFilter(), Editor::SeverityFilter::Errors)
        << "the errors the question was about";
    EXPECT_EQ(f.check.checkFilter(), -1);
    EXPECT_EQ(f.column(Editor::CheckColumn), (Cells{"Same airport", "Same airport"}))
        << "both legs of ENGM-ENGM, not the traffic percent of flight 4";
    EXPECT_FALSE(f.check.stale()) << "the window shows this report";
}

TEST(TrafficCheckEditor, useTheProposedArrivalOnTheChosenProblems) {
    Fixture f;
    // The fixture's airports share one position: every leg between two of them is proposed 15 minutes.
    const int both =
        f.add("AC#1,Q5,50%,24Hr,IFR,08:00:00,08:03:00,100,F,1,ESSA,09:00:00,12:00:00,100,F,2,ENGM,");
    f.add("AC#1,Q6,50%,24Hr,IFR,08:00:00,08:02:00,100,F,1,XXXX,09:00:00,09:15:00,100,F,2,ENGM,");
    const ChangeJournal& journal = f.session.db.journal();
    f.check.refresh();
    std::vector<int> fixable, others;
    for (int row = 0; row < f.check.rowCount(); ++row)
        (f.check.fixable(row) ? fixable : others).push_back(row);
    ASSERT_EQ(fixable.size(), 3u) << "Q5's legs too short and too long, Q6's too short";
    EXPECT_EQ(f.check.useProposedArrival(others), 0) << "no quick fix for the other checks";
    EXPECT_EQ(journal.stepCount(), 0);

    EXPECT_EQ(f.check.useProposedArrival({fixable[0]}), 1);
    EXPECT_EQ(f.line(both),
              "AC#1,Q5,50%,24Hr,IFR,08:00:00,08:15:00,100,F,1,ESSA,09:00:00,12:00:00,100,F,2,ENGM,")
        << "the chosen leg alone";
    ASSERT_EQ(journal.stepCount(), 1);
    EXPECT_EQ(journal.undoText(), "Use the proposed arrival");
    EXPECT_FALSE(f.check.stale()) << "checked again";

    fixable.clear();
    for (int row = 0; row < f.check.rowCount(); ++row)
        if (f.check.fixable(row)) fixable.push_back(row);
    ASSERT_EQ(fixable.size(), 2u);
    f.prompts.expect("Use the proposed arrival");
    EXPECT_EQ(f.check.useProposedArrival(fixable), 1);
    EXPECT_EQ(
        f.prompts.shown().back().text,
        "Set the arrival time of 1 leg in 1 flight from the cruise speeds.\r\n\r\n1 leg kept its arrival "
        "time:\r\n1 leg whose airports have no known position");
    EXPECT_EQ(f.line(both),
              "AC#1,Q5,50%,24Hr,IFR,08:00:00,08:15:00,100,F,1,ESSA,09:00:00,09:15:00,100,F,2,ENGM,");

    // The traffic changed since the check (an edit the editor stores first): checked again, nothing fixed.
    ASSERT_TRUE(f.flights.showFlight(both));
    f.flights.editTail("Q7");
    int row = 0;
    while (row < f.check.rowCount() && !f.check.fixable(row)) ++row;
    f.prompts.expect("Use the proposed arrival");
    EXPECT_EQ(f.check.useProposedArrival({row}), 0);
    EXPECT_EQ(f.prompts.shown().back().text, "The traffic changed since the check, so it was checked "
                                             "again.\r\nChoose the problems to fix once more.");
    EXPECT_FALSE(f.check.stale());
    EXPECT_EQ(journal.stepCount(), 3) << "two fixes and the edit";
}
