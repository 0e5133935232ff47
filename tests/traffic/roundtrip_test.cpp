// Writing a project, reading it back and writing it again gives the same file, whatever bytes the
// titles and names hold (commas aside, which the format cannot carry).

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
std::string RandomText(std::mt19937& random, std::string_view mustHold = {}) {
    std::uniform_int_distribution<int> byte(0x21, 0xFF), length(1, 40);
    std::string text(mustHold);
    for (int n = length(random); static_cast<int>(text.size()) < n;) {
        const char c = static_cast<char>(byte(random));
        if (c != ',') text += c;
    }
    std::shuffle(text.begin(), text.end(), random);
    if (text.size() >= 2) text.insert(text.size() / 2, " "); // blanks inside are kept
    return text;
}

void Generate(TrafficDatabase& db, unsigned seed) {
    std::mt19937 random(seed);
    // Every byte value appears in some title and in some name.
    std::string allBytes;
    for (int c = 0x21; c <= 0xFF; ++c)
        if (c != ',') allBytes += static_cast<char>(c);
    const int aircraftCount = 12, airportCount = 20;
    for (int i = 0; i < aircraftCount; ++i) {
        const std::string title =
            RandomText(random, i == 0 ? std::string_view(allBytes) : std::string_view());
        db.aircraftTable().add({"AC#" + std::to_string(100 + i), std::to_string(100 + i * 7), title});
    }
    for (int i = 0; i < airportCount; ++i) {
        const std::string code = "K" + std::to_string(100 + i);
        db.airportTable().add({code, "N" + std::to_string(i) + "* 1.5'", "W" + std::to_string(i) + "* 2.25'",
                               std::to_string(i * 10),
                               RandomText(random, i == 0 ? std::string_view(allBytes) : ""),
                               RandomText(random, i == 1 ? std::string_view(allBytes) : "")});
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
        for (int c = 0x20; c <= 0xFF; ++c) {
            if (c != ',') {
                ASSERT_NE(one.find(static_cast<char>(c)), std::string::npos) << "byte " << c << " missing";
            }
        }
    }
}
