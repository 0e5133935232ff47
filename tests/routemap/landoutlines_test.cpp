#include "routemap/landoutlines.h"
#include "tempdir.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(LandOutlines, ringsCommentsAndLineEnds) {
    const LandOutlines land = ReadLandOutlines("# a comment\r\n"
                                               "\r\n"
                                               "0 0;10 0;10 10;0 10;0 0\r\n"
                                               "  -180.000 -90;180 -90 ; 180.0 -85;\n"
                                               "   # an indented comment\n"
                                               "1.5 2.5;3 4;5 6");
    EXPECT_EQ(land.skippedLines, 0);
    ASSERT_EQ(land.rings.lineCount(), 3u);
    EXPECT_EQ(land.rings.line(0).size(), 5u);
    EXPECT_EQ(land.rings.line(1)[0], (GeoPoint{-180, -90}));
    EXPECT_EQ(land.rings.line(1)[2], (GeoPoint{180, -85}));
    EXPECT_EQ(land.rings.line(2)[0], (GeoPoint{1.5, 2.5})) << "the last line needs no line end";
}

TEST(LandOutlines, linesThatAreNoRingAreLeftOutWhole) {
    const LandOutlines land = ReadLandOutlines("0 0;1 0;1 1\n"
                                               "0 0;1 0\n"         // two points
                                               "0 0;1 x;1 1\n"     // not a number
                                               "0 0;1;1 1\n"       // one number
                                               "0 0;1 0;1 1 5\n"   // three numbers
                                               "0 0;181 0;1 1\n"   // beyond the meridian
                                               "0 0;1 -91;1 1\n"   // beyond the pole
                                               "0 0;nan 0;1 1\n"   // not finite
                                               "0 0;1e999 0;1 1\n" // out of range
                                               "0 0,1 0,1 1\n"     // wrong separator
                                               "2 2;3 2;3 3\n");
    EXPECT_EQ(land.skippedLines, 9);
    ASSERT_EQ(land.rings.lineCount(), 2u);
    EXPECT_EQ(land.rings.points.size(), 6u) << "nothing of a skipped line is kept";
    EXPECT_EQ(land.rings.line(1)[0], (GeoPoint{2, 2}));
    EXPECT_EQ(ReadLandOutlines("").rings.lineCount(), 0u);
}

TEST(LandOutlines, theShippedFileReadsWhole) {
    const auto land = LoadLandOutlines(CORVANE_SHIPPED_DATA "/");
    ASSERT_TRUE(land);
    EXPECT_EQ(land->skippedLines, 0);
    EXPECT_EQ(land->rings.lineCount(), 1421u);
    EXPECT_EQ(land->rings.points.size(), 60629u);
}

TEST(LandOutlines, foundWithoutRegardToCaseAndMissingReported) {
    test::TempDir dir;
    std::string error;
    EXPECT_EQ(LoadLandOutlines(dir.path(), &error), std::nullopt);
    EXPECT_NE(error.find("land.txt"), std::string::npos) << error;
    dir.write("LAND.TXT", "0 0;1 0;1 1\n");
    const auto land = LoadLandOutlines(dir.path());
    ASSERT_TRUE(land);
    EXPECT_EQ(land->rings.lineCount(), 1u);
}
