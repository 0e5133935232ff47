#include "recordingprogress.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "traffic/aptdata.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace corvane;

namespace {
const char* kAptDat = "KSEA,N47* 26.88',W122* 18.62',433,Seattle Tacoma,United States\r\n"
                      "SEA, N1* 0.00' , W1* 0.00',1, Short Code , Nowhere \r\n"
                      "KBFI,N47* 31.80',W122* 18.12',21,Boeing Field,United States\r\n"
                      "ENGM,N60* 11.70',E11* 6.02',681,Oslo Gardermoen,Norway\r\n";
}

TEST(AptData, mergeAddsWholeCodesAndFillsMissingNames) {
    test::TempDir dir;
    const std::string apt = dir.write("apt.dat", kAptDat);
    TrafficDatabase db;
    test::ScriptedPrompts prompts;
    test::RecordingProgress progress;
    ReadProjectBytes(db,
                     "ksea,N47* 26.94',W122* 18.55',433,-,-\r\n"
                     "KBFI,N47* 31.8',W122* 18.1',21,Boeing Field Own,USA\r\n"
                     "ENGM,N60* 11.7',E11* 6.0',681,,\r\n",
                     ReadOptions{false, true, apt}, prompts, progress);
    const AirportTable& airports = db.airportTable();
    ASSERT_EQ(airports.rowCount(), 4);
    // The loaded airport named "-" gets name and country; its coordinates stay.
    EXPECT_EQ(airports.row(0), (TextTable::Row{"ksea", "N47* 26.94'", "W122* 18.55'", "433", "Seattle Tacoma",
                                               "United States"}));
    EXPECT_EQ(airports.cell(1, AirportTable::Name), "Boeing Field Own");
    EXPECT_EQ(airports.cell(2, AirportTable::Name), "Oslo Gardermoen");
    // SEA is not KSEA: added as an airport of its own, its fields trimmed.
    EXPECT_EQ(airports.row(3),
              (TextTable::Row{"SEA", "N1* 0.00'", "W1* 0.00'", "1", "Short Code", "Nowhere"}));
    EXPECT_EQ(db.airportCodes().entries(), (std::vector<std::string>{"ENGM", "KBFI", "ksea", "SEA"}));

    // The merge shows its progress; the project's read ends at 99 %, and so does the merge, whose
    // line ends are not counted.
    const auto& events = progress.events();
    const auto merge = std::find(events.begin(), events.end(), "begin:Adding Corvane Airport Data");
    ASSERT_NE(merge, events.end());
    EXPECT_NE(*std::next(merge), "end");
    for (const auto& p : progress.percentages()) EXPECT_NE(p, "100 %");
}

TEST(AptData, newProjectHoldsExactlyTheListedAirports) {
    // The file starts with a UTF-8 byte-order mark, which is no part of the first code.
    TrafficDatabase db;
    test::RecordingProgress progress;
    ReadAptBytes(db, std::string(kUtf8ByteOrderMark) + kAptDat, {}, progress);
    EXPECT_EQ(db.airportTable().rowCount(), 4);
    EXPECT_EQ(db.airportCodes().entries(), (std::vector<std::string>{"ENGM", "KBFI", "KSEA", "SEA"}));
    EXPECT_EQ(progress.events().back(), "end");

    test::ScriptedPrompts prompts;
    prompts.expect("Error reading file");
    EXPECT_FALSE(ReadAptData(db, "/nonexistent/apt.dat", prompts, progress));
}
