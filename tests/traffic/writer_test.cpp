#include "platform/textfile.h"
#include "recordingprogress.h"
#include "scriptedprompts.h"
#include "slowdown.h"
#include "tempdir.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace corvane;
using test::ScriptedPrompts;

namespace {

struct Fixture {
    TrafficDatabase db;
    ScriptedPrompts prompts;
    test::RecordingProgress progress;

    void airport(const std::string& code) {
        db.airportTable().add({code, "N1* 0.0'", "W1* 0.0'", "10", code + " Intl", "Land"});
    }
    void flight(const std::string& aircraft, const std::string& a, const std::string& b) {
        db.flightTable().append(aircraft + ",-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1," + a +
                                ",10:00:00,11:00:00,100,F,2," + b + ",");
    }
    std::string aircraftSection(bool writeOnly = false) {
        std::string out;
        WriteAircraftSection(out, FlightTable::Edit(db.flightTable()).lines(), writeOnly, db, prompts,
                             progress);
        return out;
    }
    std::string airportSection(bool shortLines) {
        std::string out;
        WriteAirportSection(out, FlightTable::Edit(db.flightTable()).lines(), shortLines, db, prompts,
                            progress);
        return out;
    }
    std::string aircraftField(int flight) {
        return db.flightTable().at(flight).substr(0, db.flightTable().at(flight).find(','));
    }
};

} // namespace

TEST(Writer, aircraftRenumberedByFirstUse) {
    Fixture f;
    f.db.aircraftTable().add({"AC#3", "300", "Airbus"});
    f.db.aircraftTable().add({"AC#7", "250", "Boeing"});
    f.db.aircraftTable().add({"AC#9", "200", "Unused"});
    f.flight("AC#7", "KSEA", "KBFI");
    f.flight("AC#3", "KSEA", "KBFI");
    f.flight("AC#007", "KSEA", "KBFI");
    EXPECT_EQ(f.aircraftSection(), "AC#1,250,\"Boeing\"\r\nAC#2,300,\"Airbus\"\r\n");
    EXPECT_EQ(f.aircraftField(0), "AC#1");
    EXPECT_EQ(f.aircraftField(1), "AC#2");
    EXPECT_EQ(f.aircraftField(2), "AC#1") << "AC#007 is the aircraft AC#7";
    // The tables are rebuilt from what was written: the unused aircraft is gone.
    EXPECT_EQ(f.db.aircraftTable().rowCount(), 0) << "nothing is installed, so both go to the missing table";
    EXPECT_EQ(f.db.missingAircraftTable().rowCount(), 2);
    EXPECT_EQ(f.db.missingAircraftTable().row(0), (TextTable::Row{"Airbus", "300", "AC#2"}));
    EXPECT_EQ(f.db.aircraftChoices().count(), 2) << "only the head entries";
}

TEST(Writer, flightsStayWithTheirAircraftWhateverZerosItsNumberHas) {
    // The set calls its aircraft AC#001 and its flights use AC#001 and AC#1. The installed aircraft
    // added on reading must not take AC#1, and a save must not move the flights to it.
    const std::string project =
        "AC#001,250,\"Seven\"\r\n"
        "KSEA,N47* 26.88',W122* 18.62',433,Seattle Tacoma,United States\r\n"
        "KBFI,N47* 31.80',W122* 18.12',21,Boeing Field,United States\r\n"
        "AC#001,A,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,10:00:00,11:00:00,100,F,2,KBFI,\r\n"
        "AC#1,B,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,10:00:00,11:00:00,100,F,2,KBFI,\r\n";
    for (const bool installed : {true, false}) {
        Fixture f;
        if (installed) {
            f.db.installedAircraftTable().add({"Seven", "250", "250"});
            f.db.installedAircraftTable().add({"Other", "300", "300"});
        }
        ReadProjectBytes(f.db, project, ReadOptions{false, true, ""}, f.prompts, f.progress);
        if (installed) {
            ASSERT_EQ(f.db.aircraftTable().findByTitle("Other"), 1);
            EXPECT_EQ(f.db.aircraftTable().cell(1, AircraftTable::Number), "AC#2");
        }
        const std::string written = ProjectFileBytes(FlightTable::Edit(f.db.flightTable()).lines(), false,
                                                     f.db, f.prompts, f.progress);
        EXPECT_NE(written.find("Database\r\nAC#1,250,\"Seven\"\r\n\r\n"), std::string::npos)
            << "installed " << installed << ": " << written;
        EXPECT_EQ(f.db.flightTable().nonEmptyCount(), 2) << "installed " << installed;
        EXPECT_EQ(f.aircraftField(0), "AC#1");
        EXPECT_EQ(f.aircraftField(1), "AC#1");
    }
}

TEST(Writer, rebuildBringsInstalledAircraftBackWithFreshNumbers) {
    Fixture f;
    f.db.installedAircraftTable().add({"Boeing", "240", "240"});
    f.db.installedAircraftTable().add({"Cessna", "120", "120"});
    f.db.aircraftTable().add({"AC#5", "250", "Boeing"});
    f.db.aircraftTable().add({"AC#6", "120", "Cessna"});
    f.flight("AC#5", "KSEA", "KBFI");
    f.aircraftSection();
    ASSERT_EQ(f.db.aircraftTable().rowCount(), 2);
    EXPECT_EQ(f.db.aircraftTable().row(0), (TextTable::Row{"AC#1", "250", "Boeing"}));
    EXPECT_EQ(f.db.aircraftTable().row(1), (TextTable::Row{"AC#2", "120", "Cessna"}));
    EXPECT_EQ(f.db.installedAircraftTable().cell(0, InstalledAircraftTable::Speed), "250");
    EXPECT_EQ(f.db.aircraftChoices().entries().back(), "Cessna");
}

TEST(Writer, slowAircraftDroppedSilentlyUnknownReportedOnce) {
    Fixture f;
    f.db.aircraftTable().add({"AC#1", "9", "Glider"});
    f.db.aircraftTable().add({"AC#2", "10", "Slow"});
    f.flight("AC#1", "KSEA", "KBFI");
    f.flight("AC#2", "KSEA", "KBFI");
    f.flight("AC#x", "KSEA", "KBFI");
    f.flight("AC#x", "KSEA", "KBFI");
    f.flight("AC#1", "KSEA", "KBFI");
    f.prompts.expect("Error finding aircraft");
    EXPECT_EQ(f.aircraftSection(true), "AC#1,10,\"Slow\"\r\n");
    EXPECT_EQ(f.prompts.shown().at(0).text, "The aircraft AC#0 was not found in the database.\r\nAll flights "
                                            "connected to this aircraft will not be saved.");
    EXPECT_EQ(f.prompts.shown().at(0).icon, Icon::Exclamation);
    std::vector<std::string> kept;
    for (const std::string& line : f.db.flightTable().lines()) kept.push_back(line.substr(0, 5));
    EXPECT_EQ(kept, (std::vector<std::string>{"", "AC#1,", "", "", ""}));
    EXPECT_EQ(f.db.aircraftTable().rowCount(), 2) << "write-only leaves the tables alone";
}

TEST(Writer, hugeAndNegativeNumbersKeepTheirOrder) {
    Fixture f;
    f.db.aircraftTable().add({"AC#123456789012345678901234", "300", "Big"});
    f.db.aircraftTable().add({"AC#-5", "300", "Negative"});
    f.db.aircraftTable().add({"AC#0", "300", "Zero"});
    for (int i = 0; i < 3; ++i) {
        f.flight("AC#-5", "KSEA", "KBFI");
        f.flight("AC#00123456789012345678901234", "KSEA", "KBFI");
        f.flight("AC#x", "KSEA", "KBFI");
    }
    EXPECT_EQ(f.aircraftSection(true), "AC#1,300,\"Negative\"\r\nAC#2,300,\"Big\"\r\nAC#3,300,\"Zero\"\r\n");
    EXPECT_EQ(f.aircraftField(7), "AC#2");
}

TEST(Writer, unknownAirportReportedOnceAndFlightsDropped) {
    Fixture f;
    f.airport("KSEA");
    f.airport("kbfi");
    f.airport("ENGM");
    f.flight("AC#1", "KSEA", "XXXX");
    f.flight("AC#1", "xxxx", "KBFI");
    f.flight("AC#1", "KBFI", "ksea");
    f.prompts.expect("Error finding airport");
    EXPECT_EQ(f.airportSection(false), "kbfi,N1* 0.0',W1* 0.0',10,kbfi Intl,Land\r\n"
                                       "KSEA,N1* 0.0',W1* 0.0',10,KSEA Intl,Land\r\n");
    EXPECT_EQ(f.prompts.shown().at(0).text, "The airport XXXX was not found in the database.\r\nAll flights "
                                            "connected to this airport will not be saved.");
    EXPECT_TRUE(f.db.flightTable().at(0).empty());
    EXPECT_TRUE(f.db.flightTable().at(1).empty());
    EXPECT_FALSE(f.db.flightTable().at(2).empty());
    EXPECT_EQ(f.airportSection(true), "kbfi,N1* 0.0',W1* 0.0',10\r\nKSEA,N1* 0.0',W1* 0.0',10\r\n");
}

TEST(Writer, emptyProjectLayout) {
    Fixture f;
    test::TempDir dir;
    ASSERT_TRUE(WriteProjectFile(f.db, dir.file("empty.cvp"), f.prompts, f.progress));
    EXPECT_EQ(dir.read("empty.cvp"),
              "// Corvane Project File\r\n\r\n\r\n// Corvane Aircraft Database\r\n\r\n\r\n"
              "// Corvane Airport Database\r\n\r\n\r\n// Corvane Flight Database\r\n");
    EXPECT_EQ(f.progress.depth(), 0);
}

TEST(Writer, compilerFilesAndProjectFile) {
    Fixture f;
    test::TempDir dir;
    f.airport("KSEA");
    f.airport("KBFI");
    f.db.aircraftTable().add({"AC#4", "250", "Boeing"});
    f.flight("AC#4", "KBFI", "KSEA");
    f.db.flightTable().append("");
    ASSERT_TRUE(WriteTrafficFiles(f.db, dir.path(), f.prompts, f.progress));
    EXPECT_EQ(dir.read("Aircraft.txt"), "AC#1,250,\"Boeing\"\r\n");
    EXPECT_EQ(dir.read("Airports.txt"), "KBFI,N1* 0.0',W1* 0.0',10\r\nKSEA,N1* 0.0',W1* 0.0',10\r\n");
    EXPECT_EQ(dir.read("FlightPlans.txt"),
              "AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KBFI,10:00:00,11:00:00,100,F,2,KSEA,\r\n");

    ASSERT_TRUE(WriteProjectFile(f.db, dir.file("p.cvp"), f.prompts, f.progress));
    EXPECT_EQ(
        dir.read("p.cvp"),
        "// Corvane Project File\r\n\r\n\r\n// Corvane Aircraft Database\r\nAC#1,250,\"Boeing\"\r\n\r\n\r\n"
        "// Corvane Airport Database\r\nKBFI,N1* 0.0',W1* 0.0',10,KBFI Intl,Land\r\n"
        "KSEA,N1* 0.0',W1* 0.0',10,KSEA Intl,Land\r\n\r\n\r\n// Corvane Flight Database\r\n"
        "AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KBFI,10:00:00,11:00:00,100,F,2,KSEA,\r\n");
    // Progress: each section writer ends its window.
    int begins = 0;
    for (const auto& e : f.progress.events()) begins += e.rfind("begin:Saving AI", 0) == 0;
    EXPECT_EQ(begins, 6);
    EXPECT_EQ(f.progress.depth(), 0);
}

TEST(Writer, failedWriteIsReportedAndOldFileStays) {
    Fixture f;
    test::TempDir dir;
    const std::string path = dir.write("keep.cvp", "old project\r\n");
    SetAtomicWriteFailureForTesting(10);
    f.prompts.expect("Error writing file");
    EXPECT_FALSE(WriteProjectFile(f.db, path, f.prompts, f.progress));
    SetAtomicWriteFailureForTesting(std::nullopt);
    EXPECT_EQ(dir.read("keep.cvp"), "old project\r\n");
    f.prompts.expect("Error writing file");
    EXPECT_FALSE(WriteTrafficFiles(f.db, dir.file("missing-folder/"), f.prompts, f.progress));
}

TEST(Writer, tenMegabyteLinesRoundTrip) {
    // A flight whose tail number fills 10 MB is read and written back unchanged; a 10 MB line of commas
    // with a "%" is a flight without aircraft and is dropped with one message.
    const std::string tail(10'000'000, 'N');
    const std::string flight =
        "AC#1," + tail + ",50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,10:00:00,11:00:00,100,F,2,KBFI,";
    const std::string project = "AC#1,250,\"Boeing 737-400\"\r\n"
                                "KSEA,N47* 26.88',W122* 18.62',433,Seattle Tacoma,United States\r\n"
                                "KBFI,N47* 31.80',W122* 18.12',21,Boeing Field,United States\r\n" +
                                flight + "\r\n" + std::string(10'000'000, ',') + "%\r\n";
    Fixture f;
    ReadProjectBytes(f.db, project, ReadOptions{true, true, ""}, f.prompts, f.progress);
    ASSERT_EQ(f.db.flightTable().count(), 2);
    f.prompts.expect("Error finding aircraft");
    const std::string written =
        ProjectFileBytes(FlightTable::Edit(f.db.flightTable()).lines(), false, f.db, f.prompts, f.progress);
    EXPECT_EQ(f.db.flightTable().nonEmptyCount(), 1);
    EXPECT_TRUE(written == "// Corvane Project File\r\n\r\n\r\n// Corvane Aircraft Database\r\n"
                           "AC#1,250,\"Boeing 737-400\"\r\n\r\n\r\n// Corvane Airport Database\r\n"
                           "KBFI,N47* 31.80',W122* 18.12',21,Boeing Field,United States\r\n"
                           "KSEA,N47* 26.88',W122* 18.62',433,Seattle Tacoma,United States\r\n\r\n\r\n"
                           "// Corvane Flight Database\r\n" +
                               flight + "\r\n");
}

TEST(Writer, manyAircraftThatAreNotInstalledAreRebuiltInOneSort) {
    // 40,000 aircraft that are not installed, each flown once: the rebuilt MissingAircraftTable is
    // sorted by title once (a sorted insert per aircraft takes seconds), and holds them all in order.
    const int count = 40'000;
    Fixture f;
    f.airport("KSEA");
    f.airport("KBFI");
    {
        TextTable::Batch batch(f.db.missingAircraftTable());
        for (int i = 1; i <= count; ++i) {
            const std::string number = "AC#" + std::to_string(i);
            f.db.missingAircraftTable().add({"Type " + std::to_string(count - i + 100'000), "300", number});
            f.flight(number, "KSEA", "KBFI");
        }
    }
    const auto start = std::chrono::steady_clock::now();
    f.aircraftSection();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 1.0 * test::kSlowdown) << "a sorted insert per aircraft: " << seconds << " s";
    const MissingAircraftTable& missing = f.db.missingAircraftTable();
    ASSERT_EQ(missing.rowCount(), count);
    EXPECT_EQ(missing.row(0), (TextTable::Row{"Type 100000", "300", "AC#" + std::to_string(count)}));
    EXPECT_EQ(missing.findByNumber("AC#1"), count - 1);
    EXPECT_EQ(f.db.flightTable().nonEmptyCount(), count);
}
