#include "routemap/geo.h"
#include "routemap/greatcircle.h"
#include "routemap/mapview.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace corvane;

namespace {

constexpr double kEpsilon = 1e-9;

// Every step of every line stays on its side of the 180th meridian, and no line is a single point.
void ExpectNoJumps(const Polylines& lines) {
    for (std::size_t l = 0; l < lines.lineCount(); ++l) {
        const auto line = lines.line(l);
        ASSERT_GE(line.size(), 2u);
        for (std::size_t i = 1; i < line.size(); ++i)
            EXPECT_LE(std::abs(line[i].lon - line[i - 1].lon), 180) << "line " << l << " point " << i;
    }
}

// The largest step between samples, in degrees of arc.
double LargestStep(const Polylines& lines) {
    double largest = 0;
    for (std::size_t l = 0; l < lines.lineCount(); ++l) {
        const auto line = lines.line(l);
        for (std::size_t i = 1; i < line.size(); ++i)
            largest = std::max(largest, ArcDegrees(line[i - 1], line[i]));
    }
    return largest;
}

} // namespace

TEST(AirportPosition, coordinateTextsTurnEastAndNorthPositive) {
    const auto seattle = AirportPosition("N47* 26.94'", "W122* 18.55'");
    ASSERT_TRUE(seattle);
    EXPECT_NEAR(seattle->lat, 47.449, 1e-9);
    EXPECT_NEAR(seattle->lon, -(122 + 18.55 / 60), 1e-9);
    const auto sydney = AirportPosition("S33* 30.0'", "E151* 12.0'");
    ASSERT_TRUE(sydney);
    EXPECT_NEAR(sydney->lat, -33.5, 1e-9);
    EXPECT_NEAR(sydney->lon, 151.2, 1e-9);
    EXPECT_NEAR(AirportPosition("N0* 0.0'", "E190* 0.0'")->lon, -170, 1e-9) << "wrapped";
    EXPECT_NEAR(AirportPosition("N90* 0.0'", "W180* 0.0'")->lat, 90, 1e-9) << "a pole is a place";
    EXPECT_EQ(AirportPosition("", "E10* 0.0'"), std::nullopt);
    EXPECT_EQ(AirportPosition("N10* 0.0'", ""), std::nullopt);
    EXPECT_EQ(AirportPosition("N90* 0.6'", "E10* 0.0'"), std::nullopt) << "beyond the pole";
    EXPECT_EQ(AirportPosition("S95*", "E10* 0.0'"), std::nullopt);
}

TEST(Polylines, linesOfFewerThanTwoDistinctPointsAreDropped) {
    Polylines lines;
    lines.points.push_back({1, 1});
    lines.endLine();
    lines.points.push_back({2, 2});
    lines.points.push_back({2, 2});
    lines.endLine();
    EXPECT_EQ(lines.lineCount(), 0u);
    EXPECT_TRUE(lines.points.empty());
    lines.points.push_back({2, 2});
    lines.points.push_back({3, 3});
    lines.endLine();
    ASSERT_EQ(lines.lineCount(), 1u);
    EXPECT_EQ(lines.line(0).size(), 2u);
}

TEST(GreatCircle, arcsFollowTheSphereBetweenTheirEnds) {
    EXPECT_NEAR(ArcDegrees({0, 0}, {90, 0}), 90, kEpsilon);
    EXPECT_NEAR(ArcDegrees({0, 90}, {0, -90}), 180, kEpsilon);
    EXPECT_NEAR(ArcDegrees({10, 60}, {10, 61}), 1, kEpsilon);

    const GeoPoint oslo{11.1, 60.2}, seattle{-122.3, 47.4};
    Polylines lines;
    AppendGreatCircle(oslo, seattle, lines);
    ASSERT_EQ(lines.lineCount(), 1u);
    const auto arc = lines.line(0);
    EXPECT_EQ(arc.front(), oslo);
    EXPECT_EQ(arc.back(), seattle);
    const double total = ArcDegrees(oslo, seattle);
    double highest = -90;
    for (GeoPoint p : arc) {
        EXPECT_NEAR(ArcDegrees(oslo, p) + ArcDegrees(p, seattle), total, 1e-6) << "on the great circle";
        highest = std::max(highest, p.lat);
    }
    EXPECT_GT(highest, 70) << "the route bends north over Greenland";
    EXPECT_LE(LargestStep(lines), kArcStepDegrees + 1e-9);
    EXPECT_EQ(arc.size(), static_cast<std::size_t>(std::ceil(total / kArcStepDegrees)) + 1);

    lines.clear();
    AppendGreatCircle(oslo, oslo, lines);
    EXPECT_EQ(lines.lineCount(), 0u) << "an airport to itself";
    AppendGreatCircle({10, 60}, {10.01, 60}, lines);
    ASSERT_EQ(lines.lineCount(), 1u);
    EXPECT_EQ(lines.line(0).size(), 2u) << "a short hop is one step";
}

TEST(GreatCircle, arcsAcrossThe180thMeridianAreCutThere) {
    const GeoPoint tokyo{140.4, 35.8}, sanFrancisco{-122.4, 37.6};
    for (bool eastward : {true, false}) {
        Polylines lines;
        const GeoPoint from = eastward ? tokyo : sanFrancisco, to = eastward ? sanFrancisco : tokyo;
        AppendGreatCircle(from, to, lines);
        ASSERT_EQ(lines.lineCount(), 2u) << eastward;
        ExpectNoJumps(lines);
        const auto first = lines.line(0), second = lines.line(1);
        EXPECT_EQ(first.front(), from);
        EXPECT_EQ(second.back(), to);
        EXPECT_EQ(first.back().lon, eastward ? 180 : -180);
        EXPECT_EQ(second.front().lon, eastward ? -180 : 180);
        EXPECT_EQ(first.back().lat, second.front().lat);
        EXPECT_GT(first.back().lat, 45) << "the cut lies on the arc, north of both ends";
    }

    // Starting on the meridian itself, or crossing it at its very end, makes no empty line.
    Polylines lines;
    AppendGreatCircle({180, -16}, {178, -18}, lines);
    AppendGreatCircle({-179, -16}, {180, -17}, lines);
    ASSERT_EQ(lines.lineCount(), 2u);
    EXPECT_EQ(lines.line(1).back(), (GeoPoint{-180, -17})) << "180 is -180: no cut";
    // Along the meridian, and over the poles, where every longitude meets.
    AppendGreatCircle({180, 10}, {-180, -10}, lines);
    AppendGreatCircle({0, -90}, {0, 90}, lines);
    AppendGreatCircle({-9, 0}, {0, -90}, lines);
    AppendGreatCircle({180, 0}, {0, 90}, lines);
    ExpectNoJumps(lines);
    for (GeoPoint p : lines.points) EXPECT_TRUE(std::isfinite(p.lat) && std::isfinite(p.lon));
}

TEST(GreatCircle, antipodesGoOverThePoleNearerTheStart) {
    for (double lat : {0.0, 30.0, -30.0}) {
        Polylines lines;
        AppendGreatCircle({20, lat}, {-160, -lat}, lines);
        ExpectNoJumps(lines);
        double extreme = 0;
        for (GeoPoint p : lines.points)
            extreme = lat < 0 ? std::min(extreme, p.lat) : std::max(extreme, p.lat);
        EXPECT_NEAR(std::abs(extreme), 90, kArcStepDegrees) << lat;
        EXPECT_LE(LargestStep(lines), kArcStepDegrees + 1e-9);
    }
}

TEST(GreatCircle, middleOfAnArcCountsOnlyItsOwnLines) {
    Polylines lines;
    lines.points = {{0, 0}, {10, 0}, {10, 10}};
    lines.endLine();
    LineMiddle middle = MiddleOf(lines, 0, 1);
    EXPECT_NEAR(middle.at.lon, 10, kEpsilon);
    EXPECT_NEAR(middle.at.lat, 0, kEpsilon);
    EXPECT_GT(middle.east, 0);

    // An arc cut at the meridian: its middle is on the arc, not on the jump between the two lines.
    lines.clear();
    AppendGreatCircle({170, 0}, {-170, 0}, lines);
    ASSERT_EQ(lines.lineCount(), 2u);
    middle = MiddleOf(lines, 0, 2);
    EXPECT_NEAR(std::abs(middle.at.lon), 180, 1e-6);
    EXPECT_NEAR(middle.at.lat, 0, 1e-6);
    EXPECT_GT(middle.east, 0) << "flying east";
    EXPECT_EQ(MiddleOf(lines, 1, 1).east, 0) << "no lines";
}

TEST(MapView, projectsAndStaysOnTheWorld) {
    MapView view;
    view.resize(720, 400);
    EXPECT_DOUBLE_EQ(view.scale(), 2) << "zoomed out, the world fits across";
    EXPECT_DOUBLE_EQ(view.toScreen({-180, 0}).x, 0);
    EXPECT_DOUBLE_EQ(view.toScreen({180, 0}).x, 720);
    EXPECT_DOUBLE_EQ(view.toScreen({0, 90}).y, 20) << "centred, north up";
    const GeoPoint back = view.toGeo(view.toScreen({11.1, 60.2}));
    EXPECT_NEAR(back.lon, 11.1, kEpsilon);
    EXPECT_NEAR(back.lat, 60.2, kEpsilon);

    view.panBy(100, 0);
    EXPECT_DOUBLE_EQ(view.center().lon, 0) << "no panning off a world that fits";
    view.zoomBy(0.5);
    EXPECT_DOUBLE_EQ(view.scale(), 2) << "no zooming out beyond the world";

    // Zooming keeps the point under the anchor.
    const ScreenPoint anchor{600, 100};
    const GeoPoint under = view.toGeo(anchor);
    view.zoomBy(4, anchor);
    EXPECT_DOUBLE_EQ(view.scale(), 8);
    EXPECT_NEAR(view.toScreen(under).x, anchor.x, 1e-6);
    EXPECT_NEAR(view.toScreen(under).y, anchor.y, 1e-6);

    // Panning stops at the world's edge.
    view.panBy(-1e6, 1e6);
    EXPECT_NEAR(view.toScreen({180, 0}).x, 720, 1e-6);
    EXPECT_NEAR(view.toScreen({0, 90}).y, 0, 1e-6);
    view.zoomBy(1e9);
    EXPECT_DOUBLE_EQ(view.scale(), MapView::kMaxScale);
    view.zoomBy(std::nan(""));
    view.panBy(std::nan(""), 0);
    EXPECT_DOUBLE_EQ(view.scale(), MapView::kMaxScale);
    EXPECT_TRUE(std::isfinite(view.center().lon));
}

TEST(MapView, fitShowsTheBoundsWithTheirMargin) {
    MapView view;
    view.resize(600, 400);
    GeoBounds bounds;
    bounds.add({5, 55});
    bounds.add({25, 65});
    view.fit(bounds, 20);
    EXPECT_DOUBLE_EQ(view.scale(), 28) << "(600 - 40) / 20 degrees across";
    for (GeoPoint corner : {GeoPoint{5, 55}, GeoPoint{25, 65}}) {
        const ScreenPoint s = view.toScreen(corner);
        EXPECT_GE(s.x, 20 - 1e-9);
        EXPECT_LE(s.x, 580 + 1e-9);
        EXPECT_GE(s.y, 20 - 1e-9);
        EXPECT_LE(s.y, 380 + 1e-9);
    }

    GeoBounds one;
    one.add({11, 60});
    view.fit(one, 20);
    EXPECT_DOUBLE_EQ(view.scale(), 360.0 / MapView::kMinFitDegrees)
        << "a lone airport is not zoomed in endlessly";
    EXPECT_NEAR(view.toScreen({11, 60}).x, 300, 1e-9);

    view.fit(GeoBounds{}, 20);
    EXPECT_DOUBLE_EQ(view.scale(), view.minScale()) << "nothing chosen: the world";

    view.resize(600, 400);
    view.fit(one, 20);
    view.resize(300, 200);
    EXPECT_NEAR(view.toGeo({150, 100}).lon, 11, 1e-9) << "a resize keeps the centre";
}
