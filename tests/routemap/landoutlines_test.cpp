#include "routemap/landoutlines.h"
#include "tempdir.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace corvane;

TEST(LandOutlines, ringsCommentsAndLineEnds) {
    const LandOutlines land = ReadLandOutlines("# a comment\r\n"
                                               "\r\n"
                                               "0 0;10 0;10 10;0 10;0 0\r\n"
                                               "  -180.000 -90;-175 -90 ; -175.0 -85;\n"
                                               "   # an indented comment\n"
                                               "1.5 2.5;3 4;5 6");
    EXPECT_EQ(land.skippedLines, 0);
    ASSERT_EQ(land.rings.lineCount(), 3u);
    EXPECT_EQ(land.rings.line(0).size(), 5u);
    EXPECT_EQ(land.rings.line(1)[0], (GeoPoint{-180, -90}));
    EXPECT_EQ(land.rings.line(1)[2], (GeoPoint{-175, -85}));
    EXPECT_EQ(land.rings.line(2)[0], (GeoPoint{1.5, 2.5})) << "the last line needs no line end";
}

TEST(LandOutlines, linesThatAreNoRingAreLeftOutWhole) {
    const LandOutlines land = ReadLandOutlines("0 0;1 0;1 1\n"
                                               "0 0;1 0\n"                           // two points
                                               "0 0;1 x;1 1\n"                       // not a number
                                               "0 0;1;1 1\n"                         // one number
                                               "0 0;1 0;1 1 5\n"                     // three numbers
                                               "0 0;181 0;1 1\n"                     // beyond the meridian
                                               "0 0;1 -91;1 1\n"                     // beyond the pole
                                               "0 0;nan 0;1 1\n"                     // not finite
                                               "0 0;1e999 0;1 1\n"                   // out of range
                                               "0 0,1 0,1 1\n"                       // wrong separator
                                               "0 0;170 0;-20 0;150 0;-40 0;130 1\n" // twice round
                                               "2 2;3 2;3 3\n");
    EXPECT_EQ(land.skippedLines, 10);
    ASSERT_EQ(land.rings.lineCount(), 2u);
    EXPECT_EQ(land.rings.points.size(), 6u) << "nothing of a skipped line is kept";
    EXPECT_EQ(land.rings.line(1)[0], (GeoPoint{2, 2}));
    EXPECT_EQ(ReadLandOutlines("").rings.lineCount(), 0u);
}

namespace {

// The widest step in longitude between neighbours of any ring, the closing one included.
double WidestStep(const Polylines& rings) {
    double widest = 0;
    for (std::size_t i = 0; i < rings.lineCount(); ++i) {
        const auto ring = rings.line(i);
        for (std::size_t k = 0; k < ring.size(); ++k)
            widest = std::max(widest, std::abs(ring[(k + 1) % ring.size()].lon - ring[k].lon));
    }
    return widest;
}

GeoBounds BoundsOf(std::span<const GeoPoint> ring) {
    GeoBounds bounds;
    for (GeoPoint p : ring) bounds.add(p);
    return bounds;
}

} // namespace

TEST(LandOutlines, ringsAcrossTheMeridianAreCutThere) {
    // An island from 170 E to 170 W, and a coast going round the south pole.
    const LandOutlines land = ReadLandOutlines("170 10;-170 10;-170 20;170 20;170 10\n"
                                               "-120 -70;0 -70;120 -70\n");
    ASSERT_EQ(land.rings.lineCount(), 4u);
    EXPECT_LE(WidestStep(land.rings), 180);
    const GeoBounds west = BoundsOf(land.rings.line(0)), east = BoundsOf(land.rings.line(1));
    EXPECT_DOUBLE_EQ(west.west, -180);
    EXPECT_DOUBLE_EQ(west.east, -170);
    EXPECT_DOUBLE_EQ(east.west, 170);
    EXPECT_DOUBLE_EQ(east.east, 180);
    for (const GeoBounds& half : {west, east}) {
        EXPECT_DOUBLE_EQ(half.south, 10);
        EXPECT_DOUBLE_EQ(half.north, 20);
    }
    // The coast is closed along the pole: between them, the pieces cover the world south of it.
    const GeoBounds a = BoundsOf(land.rings.line(2)), b = BoundsOf(land.rings.line(3));
    EXPECT_DOUBLE_EQ(std::min(a.west, b.west), -180);
    EXPECT_DOUBLE_EQ(std::max(a.east, b.east), 180);
    EXPECT_DOUBLE_EQ(a.east, b.west);
    EXPECT_DOUBLE_EQ(a.south, -90);
    EXPECT_DOUBLE_EQ(b.south, -90);
}

TEST(LandOutlines, theShippedFileReadsWhole) {
    const auto land = LoadLandOutlines(CORVANE_SHIPPED_DATA "/");
    ASSERT_TRUE(land);
    EXPECT_EQ(land->skippedLines, 0);
    // 1,421 rings, of which Eurasia, Wrangel Island, a Fijian islet and two of Antarctica's cross the
    // meridian: each read as two pieces, or one going round the pole.
    EXPECT_EQ(land->rings.lineCount(), 1424u);
    EXPECT_EQ(land->rings.points.size(), 60657u);
    EXPECT_LE(WidestStep(land->rings), 180);
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
