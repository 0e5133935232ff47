#include "environment/aircraftscanner.h"
#include "recordingprogress.h"
#include "slowdown.h"
#include "tablesnapshot.h"
#include "tempdir.h"
#include "traffic/trafficdatabase.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::RecordingProgress;
using corvane::test::TempDir;

namespace {

using test::Rows;
using test::RowsOf;

// Counts what the table announces.
struct CountingObserver : TableObserver {
    int inserts = 0;
    int resets = 0;
    void rowsInserted(int, int) override { ++inserts; }
    void wasReset() override { ++resets; }
};

struct AircraftScannerTest : ::testing::Test {
    TempDir dir;
    InstalledAircraftTable table;
    RecordingProgress progress;
    std::string fsFolder = dir.mkdir("FS2002");

    void makeInstallation() {
        dir.write("FS2002/Aircraft/AIRCRAFT.CFG", "[fltsim.0]\r\ntitle=Root Plane\r\n"
                                                  "[Reference Speeds]\r\ncruise_speed=100\r\n");
        dir.write("FS2002/Aircraft/b737/aircraft.cfg", "[FLTSIM.0]\r\nTitle=Boeing 737-400 Paint1\r\n"
                                                       "[fltsim.1]\r\ntitle=\"Boeing 737-400 Paint2\"\r\n"
                                                       "[fltsim.2]\r\ntitle=~Boeing 737-400 Hidden\r\n"
                                                       "[fltsim.3]\r\ntitle=Boeing 737-400 After Tilde\r\n"
                                                       "[REFERENCE SPEEDS]\r\nCRUISE_SPEED=124.9 ;Knots\r\n");
        dir.write("FS2002/Aircraft/Cessna/Aircraft.Cfg", "[fltsim.0]\ntitle=Cessna 172\n"
                                                         "[fltsim.2]\ntitle=Cessna After Gap\n");
        dir.write("FS2002/Aircraft/deep/sub/aircraft.cfg", "[fltsim.0]\ntitle=Too Deep\n");
        dir.mkdir("FS2002/Aircraft/empty");
        dir.write("FS2002/Aircraft/notes.txt", "a file, not a folder");
    }
};

} // namespace

TEST_F(AircraftScannerTest, listsEveryVariantOfEachFileWithItsSpeed) {
    makeInstallation();
    table.add({"left over", "1", "1"});
    CountingObserver observer;
    table.observers().add(&observer);
    EXPECT_FALSE(GetFSAircraft(fsFolder, table, progress).overflow);
    table.observers().remove(&observer);
    EXPECT_EQ(RowsOf(table), (Rows{{"Boeing 737-400 Paint1", "124", "124"},
                                   {"Boeing 737-400 Paint2", "124", "124"},
                                   {"Cessna 172", "0", "0"},
                                   {"Root Plane", "100", "100"}}));
    // The progress per subfolder, and the table filled in one batch.
    EXPECT_EQ(progress.events(), (std::vector<std::string>{"begin:Searching for FS2002 aircraft", "25 %",
                                                           "50 %", "75 %", "100 %", "end"}));
    EXPECT_EQ(observer.inserts, 0);
    EXPECT_EQ(observer.resets, 1);
}

TEST_F(AircraftScannerTest, withoutSubfoldersTheProgressNeverChanges) {
    dir.write("FS2002/aircraft/aircraft.cfg", "[fltsim.0]\ntitle=Only\n");
    EXPECT_FALSE(GetFSAircraft(fsFolder, table, progress).overflow);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(progress.events(), (std::vector<std::string>{"begin:Searching for FS2002 aircraft", "end"}));
}

TEST_F(AircraftScannerTest, aMissingAircraftFolderGivesNoRows) {
    table.add({"left over", "1", "1"});
    EXPECT_FALSE(GetFSAircraft(fsFolder, table, progress).overflow);
    EXPECT_TRUE(table.isEmpty());
    EXPECT_EQ(progress.depth(), 0);
    EXPECT_FALSE(GetFSAircraft(dir.file("nowhere/"), table, progress).overflow);
}

TEST_F(AircraftScannerTest, subfoldersAreScannedInNameOrderIgnoringCase) {
    // The table sorts by title, so the order of reading shows in rows of equal title: the later file's
    // row stands after the earlier one's.
    dir.write("FS2002/aircraft/beta/aircraft.cfg",
              "[fltsim.0]\ntitle=Same\n[Reference Speeds]\ncruise_speed=2\n");
    dir.write("FS2002/aircraft/Alpha/aircraft.cfg",
              "[fltsim.0]\ntitle=Same\n[Reference Speeds]\ncruise_speed=1\n");
    dir.write("FS2002/aircraft/GAMMA/aircraft.cfg",
              "[fltsim.0]\ntitle=SAME\n[Reference Speeds]\ncruise_speed=3\n");
    (void)GetFSAircraft(fsFolder, table, progress);
    EXPECT_EQ(RowsOf(table), (Rows{{"Same", "1", "1"}, {"Same", "2", "2"}, {"SAME", "3", "3"}}));
}

TEST_F(AircraftScannerTest, aThousandVariantsInOneFileIsAnOverflow) {
    std::string cfg;
    for (int n = 0; n < 1000; ++n)
        cfg += "[fltsim." + std::to_string(n) + "]\ntitle=Plane " + std::to_string(n) + "\n";
    const std::string path = dir.write("FS2002/aircraft/Big/aircraft.cfg", cfg);
    const auto result = GetFSAircraft(fsFolder, table, progress);
    ASSERT_TRUE(result.overflow);
    EXPECT_EQ(result.overflow->title, "Error");
    EXPECT_EQ(result.overflow->text, "Overflow error in ''GetFSAircraft''\r\n\r\nError reading: " + path);
    EXPECT_EQ(result.overflow->icon, Icon::Critical);
    EXPECT_EQ(result.overflow->buttons, Buttons::Ok);
    EXPECT_EQ(progress.depth(), 0);

    // One variant fewer is read in full.
    dir.write("FS2002/aircraft/Big/aircraft.cfg", cfg.substr(0, cfg.find("[fltsim.999]")));
    EXPECT_FALSE(GetFSAircraft(fsFolder, table, progress).overflow);
    EXPECT_EQ(table.rowCount(), 999);
}

TEST_F(AircraftScannerTest, resetPutsTheDefaultSpeedsBack) {
    makeInstallation();
    (void)GetFSAircraft(fsFolder, table, progress);
    table.setCell(0, InstalledAircraftTable::Speed, "300");
    table.setCell(3, InstalledAircraftTable::Speed, "");
    ResetFSAircraftSpeeds(table);
    for (int r = 0; r < table.rowCount(); ++r)
        EXPECT_EQ(table.cell(r, InstalledAircraftTable::Speed),
                  table.cell(r, InstalledAircraftTable::DefaultSpeed));
    EXPECT_EQ(table.cell(0, InstalledAircraftTable::Speed), "124");
}

TEST_F(AircraftScannerTest, aHugeConfigurationFileIsScannedInLinearTime) {
    // A million sections whose names look like the variants' before the variants: each variant must
    // not walk them all again.
    std::string cfg;
    for (int i = 0; i < 1'000'000; ++i) cfg += "[fltsim.x" + std::to_string(i % 100) + "]\r\n";
    for (int n = 0; n < 900; ++n) cfg += "[fltsim." + std::to_string(n) + "]\r\ntitle=Plane " + std::to_string(n) + "\r\n";
    cfg += "[Reference Speeds]\r\ncruise_speed=300\r\n";
    dir.write("FS2002/Aircraft/huge/aircraft.cfg", cfg);
    const auto start = std::chrono::steady_clock::now();
    const AircraftScanResult result = GetFSAircraft(fsFolder, table, progress);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(result.overflow);
    ASSERT_EQ(table.rowCount(), 900);
    EXPECT_EQ(table.cell(0, InstalledAircraftTable::Speed), "300");
    EXPECT_LT(seconds, 2.0 * test::kSlowdown) << "each variant walked every section";
}
