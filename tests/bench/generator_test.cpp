// The benchmark's generator: its traffic set is read whole by the program's own reader and written
// back byte for byte, so that the benchmark times real work and not dropped flights.

#include "generator.h"
#include "recordingprogress.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace corvane;

namespace {

TrafficSetSize SmallSize() {
    TrafficSetSize size;
    size.flights = 500;
    size.aircraft = 60;
    size.installedAircraft = 25;
    size.airports = 200;
    size.aptAirports = 700;
    size.aptOverlap = 150;
    size.seed = 7;
    return size;
}

} // namespace

TEST(BenchGenerator, readsWholeAndWritesBackIdentical) {
    const TrafficSetSize size = SmallSize();
    const TrafficSet set = GenerateTrafficSet(size);
    test::TempDir dir;
    std::string error;
    const auto files = WriteTrafficSet(set, dir.path(), &error);
    ASSERT_TRUE(files) << error;

    TrafficDatabase db;
    InstallAircraft(db, set.installed);
    test::ScriptedPrompts prompts; // any message fails the test
    test::RecordingProgress progress;
    ASSERT_TRUE(ReadProjectFile(db, files->project, ReadOptions{false, true, files->apt}, prompts, progress));
    EXPECT_EQ(db.flightTable().nonEmptyCount(), 500);
    EXPECT_EQ(db.aircraftTable().rowCount(), 25);
    EXPECT_EQ(db.missingAircraftTable().rowCount(), 35);
    EXPECT_EQ(db.airportTable().rowCount(), 200 + 700 - 150);

    ASSERT_TRUE(WriteProjectFile(db, dir.file("written.cvp"), prompts, progress));
    EXPECT_EQ(db.flightTable().nonEmptyCount(), 500);
    EXPECT_TRUE(dir.read("written.cvp") == set.project)
        << "the written project differs from the generated one";
}

TEST(BenchGenerator, sameSeedSameBytes) {
    const TrafficSetSize size = SmallSize();
    const TrafficSet one = GenerateTrafficSet(size);
    EXPECT_TRUE(GenerateTrafficSet(size).project == one.project);
    EXPECT_EQ(GenerateInstalledAircraft(size).size(), 25u);
    TrafficSetSize other = size;
    other.seed = 8;
    EXPECT_FALSE(GenerateTrafficSet(other).project == one.project);
}

TEST(BenchGenerator, shapesOfTheLines) {
    TrafficSetSize size = SmallSize();
    size.minLegs = 3;
    size.maxLegs = 3;
    const TrafficSet set = GenerateTrafficSet(size);
    // Every flight line has a header of five fields and three legs of six.
    std::size_t flights = 0, at = set.project.find("// Corvane Flight Database\r\n");
    ASSERT_NE(at, std::string::npos);
    for (at = set.project.find('\n', at) + 1; at < set.project.size(); at = set.project.find('\n', at) + 1) {
        const std::string line = set.project.substr(at, set.project.find('\r', at) - at);
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 5 + 3 * 6) << line;
        ++flights;
    }
    EXPECT_EQ(flights, 500u);
    const std::string firstApt = set.apt.substr(0, set.apt.find('\r'));
    EXPECT_EQ(std::count(firstApt.begin(), firstApt.end(), ','), 5) << firstApt;
    EXPECT_NE(firstApt.find("* "), std::string::npos) << firstApt;
    EXPECT_EQ(std::string(SizeProblem(TrafficSetSize{})), "");
    size.aircraft = 501;
    EXPECT_NE(SizeProblem(size), "");
    EXPECT_THROW(GenerateTrafficSet(size), std::invalid_argument);
}
