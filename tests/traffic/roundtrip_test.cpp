// Writing a project, reading it back and writing it again gives the same file, whatever bytes the
// titles and names hold (commas aside, which the format cannot carry): random texts, and every byte.

#include "recordingprogress.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"

#include <gtest/gtest.h>
#include <random>

using namespace corvane;

namespace {

// A text of up to 40 bytes from 0x20..0xFF without commas, neither starting nor ending with a blank
// (readers trim fields).
std::string RandomText(std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0x21, 0xFF), length(1, 40);
    std::string text;
    for (int n = length(random); static_cast<int>(text.size()) < n;) {
        const char c = static_cast<char>(byte(random));
        if (c != ',') text += c;
    }
    if (text.size() >= 2) text.insert(text.size() / 2, " "); // blanks inside are kept
    return text;
}

void Generate(TrafficDatabase& db, unsigned seed) {
    std::mt19937 random(seed);
    const int aircraftCount = 12, airportCount = 20;
    for (int i = 0; i < aircraftCount; ++i)
        db.aircraftTable().add(
            {"AC#" + std::to_string(100 + i), std::to_string(100 + i * 7), RandomText(random)});
    for (int i = 0; i < airportCount; ++i) {
        const std::string code = "K" + std::to_string(100 + i);
        db.airportTable().add({code, "N" + std::to_string(i) + "* 1.5'", "W" + std::to_string(i) + "* 2.25'",
                               std::to_string(i * 10), RandomText(random), RandomText(random)});
    }
    std::uniform_int_distribution<int> pickAircraft(0, aircraftCount - 1), pickAirport(0, airportCount - 1),
        legs(2, 6);
    for (int f = 0; f < 60; ++f) {
        std::string line =
            "AC#" + std::to_string(100 + pickAircraft(random)) + ",N" + std::to_string(f) + ",50%,24Hr,IFR,";
        for (int leg = legs(random); leg > 0; --leg)
            line += "08:00:00,09:30:00,100,F," + std::to_string(leg) + ",K" +
                    std::to_string(100 + pickAirport(random)) + ",";
        db.flightTable().append(line);
    }
}

} // namespace

TEST(RoundTrip, writeReadWriteIsIdentical) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        test::TempDir dir;
        test::ScriptedPrompts prompts;
        test::RecordingProgress progress;
        TrafficDatabase first;
        Generate(first, seed);
        ASSERT_TRUE(WriteProjectFile(first, dir.file("one.cvp"), prompts, progress));

        TrafficDatabase second;
        ASSERT_TRUE(
            ReadProjectFile(second, dir.file("one.cvp"), ReadOptions{true, true, ""}, prompts, progress));
        EXPECT_EQ(second.flightTable().nonEmptyCount(), 60);
        ASSERT_TRUE(WriteProjectFile(second, dir.file("two.cvp"), prompts, progress));
        const std::string one = dir.read("one.cvp"), two = dir.read("two.cvp");
        if (one != two) {
            // Name the first differing line rather than printing two whole files.
            std::size_t at = 0;
            while (at < one.size() && at < two.size() && one[at] == two[at]) ++at;
            const auto lineStart = one.rfind('\n', at) == std::string::npos ? 0 : one.rfind('\n', at) + 1;
            ADD_FAILURE() << "seed " << seed << ": files differ in line\n  "
                          << one.substr(lineStart, one.find('\n', at) - lineStart) << "\nwritten again as\n  "
                          << two.substr(lineStart, two.find('\n', at) - lineStart);
        }
    }
}

namespace {

std::string Hex(int c) {
    const char digits[] = "0123456789ABCDEF";
    return {digits[c >> 4], digits[c & 15]};
}

// For every byte 0x20..0xFF but the comma: an aircraft whose title holds it, an airport whose name and
// country hold it, a flight whose tail number and flight numbers are that byte alone, and one where
// it stands between other characters. Names lose blanks at their ends to the reader's trimming, so a
// blank stands only inside them.
void GenerateEveryByte(TrafficDatabase& db) {
    db.airportTable().add({"HOME", "N1* 0.0'", "W1* 0.0'", "0", "Home", "-"});
    for (int c = 0x20; c <= 0xFF; ++c) {
        if (c == ',') continue;
        const std::string b(1, static_cast<char>(c));
        const std::string edge = c == ' ' ? "" : b;
        const std::string number = "AC#" + std::to_string(c), code = "X" + Hex(c);
        db.missingAircraftTable().add({b + "Title " + Hex(c) + b, "250", number});
        db.airportTable().add(
            {code, "N2* 0.0'", "W2* 0.0'", "0", edge + "Name" + b + "x" + edge, "C" + b + "C"});
        for (const auto& [tail, flightNumber] : {std::pair{b, b}, std::pair{"N" + b + "1", "F" + b + edge}})
            db.flightTable().append(number + "," + tail + ",50%,24Hr,IFR,08:00:00,09:00:00,100,F," +
                                    flightNumber + "," + code + ",10:00:00,11:00:00,100,R," + flightNumber +
                                    ",HOME,");
    }
}

std::vector<std::string> NonEmpty(const FlightTable& table) {
    std::vector<std::string> lines;
    for (const std::string& line : table.lines())
        if (!line.empty()) lines.push_back(line);
    return lines;
}

} // namespace

TEST(RoundTrip, everyByteInTailsFlightNumbersNamesAndTitles) {
    test::TempDir dir;
    test::ScriptedPrompts prompts;
    test::RecordingProgress progress;
    TrafficDatabase first;
    GenerateEveryByte(first);
    const int flights = first.flightTable().count();
    ASSERT_TRUE(WriteProjectFile(first, dir.file("bytes.cvp"), prompts, progress));
    ASSERT_EQ(first.flightTable().nonEmptyCount(), flights) << "the write dropped no flight";

    TrafficDatabase second;
    ASSERT_TRUE(
        ReadProjectFile(second, dir.file("bytes.cvp"), ReadOptions{false, false, ""}, prompts, progress));
    const auto written = NonEmpty(first.flightTable()), read = NonEmpty(second.flightTable());
    EXPECT_EQ(read.size(), written.size()) << "every flight read back as a flight";
    for (std::size_t i = 0; i < std::min(read.size(), written.size()); ++i) {
        if (read[i] != written[i]) {
            ADD_FAILURE() << "flight " << i << " written as\n  " << written[i] << "\nread as\n  " << read[i];
            break;
        }
    }

    const AirportTable& airports = first.airportTable();
    EXPECT_EQ(second.airportTable().rowCount(), airports.rowCount()) << "no airport lost, none made up";
    for (int row = 0; row < airports.rowCount(); ++row) {
        const int found = second.airportTable().findByIcao(airports.cell(row, AirportTable::Icao));
        ASSERT_GE(found, 0) << airports.cell(row, AirportTable::Icao);
        EXPECT_EQ(second.airportTable().row(found), airports.row(row));
    }

    const MissingAircraftTable& aircraft = first.missingAircraftTable();
    EXPECT_EQ(second.missingAircraftTable().rowCount(), aircraft.rowCount());
    EXPECT_TRUE(second.aircraftTable().isEmpty());
    for (int row = 0; row < aircraft.rowCount(); ++row) {
        const int found =
            second.missingAircraftTable().findByTitle(aircraft.cell(row, MissingAircraftTable::Title));
        ASSERT_GE(found, 0) << aircraft.cell(row, MissingAircraftTable::Title);
        EXPECT_EQ(second.missingAircraftTable().row(found), aircraft.row(row));
    }
}
