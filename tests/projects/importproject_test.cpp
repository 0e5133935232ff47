#include "projects/importproject.h"
#include "recordingprogress.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "traffic/trafficdatabase.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

std::string Flight(const std::string& aircraft, const std::string& tail) {
    return aircraft + "," + tail +
           ",100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,10:00:00,11:00:00,100,F,2,KBFI,";
}

// The installed traffic as the Import button loads it: every aircraft in the AircraftTable.
struct Installed {
    TrafficDatabase db;
    test::RecordingProgress progress;

    Installed() {
        db.installedAircraftTable().add({"Boeing 737-400", "430", "430"});
        db.installedAircraftTable().add({"Dash 8-400", "280", "280"});
        db.aircraftTable().add({"AC#1", "120", "Cessna 172"});
        db.aircraftTable().add({"AC#2", "460", "Airbus A320"});
        db.airportTable().add({"KSEA", "N47* 26.94'", "W122* 18.55'", "433", "Seattle", "US"});
        db.flightTable().append(Flight("AC#1", "INSTALLED"));
    }
    void import(const std::string& bytes) { ImportProjectBytes(db, bytes, progress); }
    // Field 1 of the imported flight with this tail number.
    std::string aircraftOf(const std::string& tail) const {
        for (const std::string& line : db.flightTable().lines())
            if (line.find("," + tail + ",") != std::string::npos) return line.substr(0, line.find(','));
        return "(no flight " + tail + ")";
    }
};

} // namespace

TEST(ImportProject, aTitleAlreadyPresentKeepsItsNumber) {
    Installed t;
    t.db.aircraftTable().add({"AC#3", "430", "Boeing 737-400"});
    t.import("AC#1,450,\"boeing 737-400\"\r\n" + Flight("AC#1", "IMPORTED") + "\r\n");
    EXPECT_EQ(t.aircraftOf("IMPORTED"), "AC#3");
    EXPECT_EQ(t.db.aircraftTable().rowCount(), 4)
        << "no new aircraft (Dash 8-400 came by AddInstalledAircraft)";
    EXPECT_EQ(t.db.aircraftTable().cell(2, AircraftTable::Speed), "430") << "the file's speed is ignored";
}

TEST(ImportProject, twoLinesWithOneTitleMapToOneNumber) {
    Installed t;
    t.import("AC#5,450,\"New Jet\"\r\nAC#6,455,\" New Jet \"\r\n" + Flight("AC#5", "A") + "\r\n" +
             Flight("AC#6", "B") + "\r\n");
    EXPECT_EQ(t.aircraftOf("A"), "AC#3");
    EXPECT_EQ(t.aircraftOf("B"), "AC#3");
    ASSERT_EQ(t.db.missingAircraftTable().rowCount(), 1);
    EXPECT_EQ(t.db.missingAircraftTable().row(0), (TextTable::Row{"New Jet", "450", "AC#3"}));
}

TEST(ImportProject, newAircraftTakeTheFirstFreeNumbers) {
    Installed t;
    t.import("AC#1,280,\"Dash 8-400\"\r\nAC#2,300,\"Unknown Jet\"\r\n" + Flight("AC#1", "DASH") + "\r\n" +
             Flight("AC#2", "JET") + "\r\n");
    EXPECT_EQ(t.aircraftOf("DASH"), "AC#3");
    EXPECT_EQ(t.aircraftOf("JET"), "AC#4");
    // Installed titles go to the AircraftTable, others to the MissingAircraftTable.
    EXPECT_EQ(t.db.aircraftTable().row(2), (TextTable::Row{"AC#3", "280", "Dash 8-400"}));
    EXPECT_EQ(t.db.missingAircraftTable().row(0), (TextTable::Row{"Unknown Jet", "300", "AC#4"}));
    // AddInstalledAircraft ran: the other installed aircraft is choosable with the next free number.
    EXPECT_EQ(t.db.aircraftTable().row(3), (TextTable::Row{"AC#5", "430", "Boeing 737-400"}));
    EXPECT_EQ(t.db.aircraftChoices().entry(0), "Choose Aircraft");
}

TEST(ImportProject, numbersInUseAreSkipped) {
    Installed t;
    t.db.missingAircraftTable().add({"Old Unknown", "200", "AC#3"});
    t.db.aircraftTable().add({"AC#4", "250", "Other"});
    t.import("AC#1,300,\"Jet A\"\r\nAC#2,300,\"Jet B\"\r\n");
    EXPECT_EQ(t.db.missingAircraftTable().cell(t.db.missingAircraftTable().findByTitle("Jet A"),
                                               MissingAircraftTable::Number),
              "AC#5");
    EXPECT_EQ(t.db.missingAircraftTable().cell(t.db.missingAircraftTable().findByTitle("Jet B"),
                                               MissingAircraftTable::Number),
              "AC#6");
}

TEST(ImportProject, numbersOfAnySizeOrSignAreMapped) {
    Installed t;
    t.import("AC#123456789012345678901234567890,300,\"Huge\"\r\n"
             "AC#-5,300,\"Negative\"\r\n"
             "AC#10001,300,\"Beyond\"\r\n"
             "AC#7,300,\"Seven\"\r\n" +
             Flight("AC#123456789012345678901234567890", "HUGE") + "\r\n" + Flight("AC#-5", "NEG") + "\r\n" +
             Flight("AC#10001", "BEYOND") + "\r\n" + Flight("AC#007", "SEVEN") + "\r\n" +
             Flight("AC#8", "UNDEFINED") + "\r\n");
    EXPECT_EQ(t.aircraftOf("HUGE"), "AC#3");
    EXPECT_EQ(t.aircraftOf("NEG"), "AC#4");
    EXPECT_EQ(t.aircraftOf("BEYOND"), "AC#5");
    EXPECT_EQ(t.aircraftOf("SEVEN"), "AC#6") << "AC#007 is AC#7";
    EXPECT_EQ(t.aircraftOf("UNDEFINED"), "") << "a number no aircraft line defined";
}

TEST(ImportProject, loadedAirportsWin) {
    Installed t;
    const int codes = t.db.airportCodes().count();
    t.import("KSEA,N1* 0.0',W1* 0.0',1,Other Name,Other Country\r\n"
             " EGLL , N51* 28.65' , W0* 27.68' , 83 , Heathrow , UK \r\n");
    ASSERT_EQ(t.db.airportTable().rowCount(), 2);
    EXPECT_EQ(t.db.airportTable().row(0),
              (TextTable::Row{"KSEA", "N47* 26.94'", "W122* 18.55'", "433", "Seattle", "US"}));
    EXPECT_EQ(t.db.airportTable().row(1),
              (TextTable::Row{"EGLL", "N51* 28.65'", "W0* 27.68'", "83", "Heathrow", "UK"}));
    EXPECT_EQ(t.db.airportCodes().count(), codes) << "the airport combos are not changed";
}

TEST(ImportProject, flightsAreAppendedInAscendingTextOrder) {
    Installed t;
    t.import("AC#1,300,\"Jet\"\r\n" + Flight("AC#1", "c") + "\r\n" + Flight("AC#1", "A") + "\r\n" +
             Flight("AC#1", "b") + "\r\n");
    EXPECT_EQ(t.db.flightTable().lines(),
              (std::vector<std::string>{Flight("AC#1", "INSTALLED"), Flight("AC#3", "A"), Flight("AC#3", "b"),
                                        Flight("AC#3", "c")}))
        << "the loaded flights stay first";
}

TEST(ImportProject, importingTwiceAddsTheFlightsTwice) {
    test::TempDir dir;
    const std::string path = dir.write("in.cvp", "AC#1,300,\"Jet\"\r\n" + Flight("AC#1", "X") + "\r\n");
    Installed t;
    test::ScriptedPrompts prompts;
    ASSERT_TRUE(ImportProject(t.db, path, prompts, t.progress));
    ASSERT_TRUE(ImportProject(t.db, path, prompts, t.progress));
    EXPECT_EQ(t.db.flightTable().count(), 3);
    EXPECT_EQ(t.db.flightTable().at(1), t.db.flightTable().at(2));
    EXPECT_EQ(t.db.missingAircraftTable().rowCount(), 1) << "matched by title the second time";
}

TEST(ImportProject, anUnreadableFileChangesNothing) {
    test::TempDir dir;
    Installed t;
    test::ScriptedPrompts prompts;
    prompts.expect("Error reading file");
    EXPECT_FALSE(ImportProject(t.db, dir.file("missing.cvp"), prompts, t.progress));
    EXPECT_NE(prompts.shown().back().text.find("missing.cvp"), std::string::npos);
    EXPECT_EQ(t.db.flightTable().count(), 1);
    EXPECT_EQ(t.db.aircraftTable().rowCount(), 2);
    EXPECT_TRUE(t.progress.events().empty());
}

TEST(ImportProject, progressOverTheBytes) {
    Installed t;
    const std::string line = "AC#1,300,\"Jet\"";
    t.import(line + "\r\n" + line + "\r\n");
    EXPECT_EQ(t.progress.events(),
              (std::vector<std::string>{"begin:Open Corvane Project Data", "44 %", "88 %", "99 %", "end"}));
}
