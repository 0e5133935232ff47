// The route map dock and the timeline under the legs list, driven as a user drives them.

#include "mainwindowfixture.h"
#include "testflights.h"
#include "ui/mapdock.h"
#include "ui/mapwidget.h"
#include "ui/timelinewidget.h"

#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QToolTip>
#include <QTreeView>
#include <QWheelEvent>

using namespace corvane;
using test::MainWindowFixture;

namespace {

using test::kLoop;
using test::kShuttle;
const char* kBergen =
    "AC#1,LN-C,100%,24Hr,IFR,06:00:00,07:00:00,330,F,1,ENBR,07:30:00,08:30:00,330,F,2,ENGM,";
const char* kWeekly =
    "AC#1,LN-D,100%,WEEK,IFR,1/08:00:00,1/09:00:00,330,F,1,KSEA,3/10:00:00,3/11:30:00,330,F,2,ESSA,";

// Land over Scandinavia and the Baltic, ocean elsewhere.
const char* kLand = "# one square of land\n5 50;30 50;30 70;5 70;5 50\n";

struct MapFixture : MainWindowFixture {
    explicit MapFixture(bool land = true) {
        if (land) dir.write("program/land.txt", kLand);
        start();
        for (const char* line : {kLoop, kShuttle, kBergen, kWeekly})
            window->session().db.flightTable().append(line);
        window->resize(1300, 800);
        window->show();
    }
    ui::MapDock* dock() { return find<ui::MapDock>("mapDock"); }
    ui::MapWidget* map() { return find<ui::MapWidget>("mapView"); }
    ui::TimelineWidget* timeline() { return find<ui::TimelineWidget>("timelineView"); }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    void showMap() {
        trigger("viewMapCap");
        ASSERT_TRUE(QTest::qWaitFor([&] { return map()->isVisible() && map()->width() > 200; }));
    }
    QPoint on(const char* code) {
        const AirportTable& airports = window->session().db.airportTable();
        const int row = airports.findByIcao(code);
        const auto at = AirportPosition(airports.cell(row, AirportTable::Latitude),
                                        airports.cell(row, AirportTable::Longitude));
        const ScreenPoint s = map()->view().toScreen(*at);
        return {static_cast<int>(std::lround(s.x)), static_cast<int>(std::lround(s.y))};
    }
    QColor pixel(GeoPoint at) {
        const QImage picture = map()->grab().toImage();
        const ScreenPoint s = map()->view().toScreen(at);
        return picture.pixelColor(static_cast<int>(s.x), static_cast<int>(s.y));
    }
};

} // namespace

TEST(MapDock, theViewMenuShowsItAtTheRight) {
    MapFixture f;
    EXPECT_FALSE(f.dock()->isVisible()) << "hidden until asked for";
    auto* action = f.window->findChild<QAction*>(QStringLiteral("viewMapCap"));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("Map"));
    // Ctrl+M everywhere; F10 too, but not on Windows, where F10 is the menu bar's.
#ifdef Q_OS_WIN
    EXPECT_EQ(action->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+M"))});
#else
    EXPECT_EQ(action->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::Key_F10), QKeySequence(QStringLiteral("Ctrl+M"))}));
#endif

    // The View menu between Flights and Options.
    QStringList menus;
    for (QAction* a : f.window->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus,
              (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("Fli&ghts"),
                           QStringLiteral("&View"), QStringLiteral("&Options"), QStringLiteral("&About")}));

    f.showMap();
    EXPECT_EQ(f.window->dockWidgetArea(f.dock()), Qt::RightDockWidgetArea);
    EXPECT_TRUE(f.dock()->features().testFlag(QDockWidget::DockWidgetFloatable));
    EXPECT_TRUE(action->isChecked());
    f.trigger("viewMapCap");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.dock()->isVisible(); }));
}

TEST(MapDock, drawsAnArcForEveryRouteOfTheListedAirport) {
    MapFixture f;
    f.listAirport("ENGM");
    f.showMap();
    EXPECT_EQ(f.label("mapInfoLbl"), QStringLiteral("ENGM: 3 routes"));
    f.map()->grab();
    EXPECT_EQ(f.map()->routesPainted(), 3) << "ESSA, EKCH and ENBR";

    // Another airport, listed while the map is open (what it draws is the editor tests').
    f.listAirport("KSEA");
    EXPECT_EQ(f.label("mapInfoLbl"), QStringLiteral("KSEA: 1 route"));

    // Listed while the map was hidden: it catches up when shown again.
    f.trigger("viewMapCap");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.dock()->isVisible(); }));
    f.listAirport("ESSA");
    f.showMap();
    EXPECT_EQ(f.label("mapInfoLbl"), QStringLiteral("ESSA: 3 routes"));
    f.map()->grab();
    EXPECT_EQ(f.map()->routesPainted(), 3) << "ENGM, EKCH and KSEA";
}

TEST(MapDock, clickingAnAirportListsItsFlights) {
    MapFixture f;
    f.listAirport("ENGM");
    f.showMap();
    QTest::mouseClick(f.map(), Qt::LeftButton, {}, f.on("ESSA"));
    EXPECT_EQ(f.find("F1")->findChild<QLabel*>(QStringLiteral("infoLbl"))->text(),
              QStringLiteral("Flights at ESSA"));
    EXPECT_EQ(f.find<QComboBox>("aptCom")->currentText(), QStringLiteral("ESSA"));
    EXPECT_EQ(f.label("mapInfoLbl"), QStringLiteral("ESSA: 3 routes"));

    // A drag pans, and chooses nothing even when it ends on an airport.
    f.map()->fitSelection();
    const double lon = f.map()->view().center().lon;
    const QPoint start = f.on("EKCH");
    auto moveTo = [&](QPoint to) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), f.map()->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.map(), &move);
    };
    QTest::mousePress(f.map(), Qt::LeftButton, {}, start);
    moveTo(start + QPoint(60, 0));
    EXPECT_NE(f.map()->view().center().lon, lon);
    moveTo(start);
    QTest::mouseRelease(f.map(), Qt::LeftButton, {}, start);
    EXPECT_EQ(f.on("EKCH"), start);
    EXPECT_EQ(f.label("mapInfoLbl"), QStringLiteral("ESSA: 3 routes"));

    // From another page, the click brings the FlightPlans page up.
    auto* tabs = f.find<QTabBar>("TB");
    tabs->setCurrentIndex(1);
    QTest::mouseClick(f.map(), Qt::LeftButton, {}, f.on("EKCH"));
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(f.find("F1")->findChild<QLabel*>(QStringLiteral("infoLbl"))->text(),
              QStringLiteral("Flights at EKCH"));
}

TEST(MapDock, marksTheAirportChosenOnTheAirportsPage) {
    MapFixture f;
    f.showMap();
    EXPECT_FALSE(f.dock()->editor().markedAt());
    f.find<QTabBar>("TB")->setCurrentIndex(1);
    auto* list = f.find<QTreeView>("aptLST");
    int essa = -1;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        if (list->model()->index(row, 0).data().toString() == QStringLiteral("ESSA")) essa = row;
    ASSERT_GE(essa, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(essa, 0)).center());
    const auto marked = f.dock()->editor().markedAt();
    ASSERT_TRUE(marked);
    const ScreenPoint s = f.map()->view().toScreen(*marked);
    EXPECT_EQ(QPoint(static_cast<int>(std::lround(s.x)), static_cast<int>(std::lround(s.y))), f.on("ESSA"));
}

TEST(MapDock, hoveringAnAirportShowsItsCodeAndName) {
    MapFixture f;
    f.showMap();
    const QPoint at = f.on("ESSA") + QPoint(2, -1);
    QHelpEvent help(QEvent::ToolTip, at, f.map()->mapToGlobal(at));
    QApplication::sendEvent(f.map(), &help);
    EXPECT_TRUE(QTest::qWaitFor([] {
        return QToolTip::text() == QStringLiteral("ESSA  Stockholm-Arlanda Airport");
    })) << QToolTip::text().toStdString();
    QHelpEvent nothing(QEvent::ToolTip, QPoint(5, 5), f.map()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(f.map(), &nothing);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QToolTip::text().isEmpty(); }));
}

TEST(MapDock, zoomAndFit) {
    MapFixture f;
    f.listAirport("ENGM");
    f.showMap();
    const double world = f.map()->view().scale();
    EXPECT_DOUBLE_EQ(world, f.map()->view().minScale()) << "the world at first";
    QTest::mouseClick(f.find<QPushButton>("mapZoomInCmd"), Qt::LeftButton, {});
    EXPECT_DOUBLE_EQ(f.map()->view().scale(), world * 1.5);
    f.map()->setFocus();
    QTest::keyClick(f.map(), Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(f.map()->view().scale(), world);
    QTest::mouseClick(f.find<QPushButton>("mapFitCmd"), Qt::LeftButton, {});
    EXPECT_GT(f.map()->view().scale(), world * 10) << "the flight ENGM-ENBR is shown close";
    for (const char* code : {"ENGM", "ENBR"}) EXPECT_TRUE(f.map()->rect().contains(f.on(code))) << code;
}

TEST(MapDock, landFromLandTxtAndWithoutIt) {
    const GeoPoint inland{20, 52}, sea{-40, 0};
    {
        MapFixture f;
        f.showMap();
        EXPECT_NE(f.pixel(inland), f.pixel(sea));
    }
    MapFixture f(false);
    f.showMap();
    EXPECT_EQ(f.pixel(inland), f.pixel(sea)) << "no land.txt: all sea, and the map still works";
    f.dir.write("program/land.txt", kLand);
    EXPECT_TRUE(f.dock()->loadLand());
    EXPECT_NE(f.pixel(inland), f.pixel(sea)) << "read again: drawn at once";
}

TEST(MapDock, landAcrossTheMeridianIsDrawnWhereItIs) {
    MapFixture f(false);
    QFile shipped(QStringLiteral(CORVANE_SHIPPED_DATA "/land.txt"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    f.dir.write("program/land.txt", shipped.readAll().toStdString());
    f.showMap();
    ASSERT_TRUE(f.dock()->loadLand());
    // Open sea near the latitudes of the rings that cross the meridian (Eurasia, Wrangel Island, Fiji),
    // and land they must not hide.
    const GeoPoint seas[] = {{-5, 64},   {0, 68},    {-30, 66},  {-140, 71.2},
                             {-160, 45}, {-175, 60}, {-20, -16}, {-100, -16}};
    const GeoPoint lands[] = {{20, 68}, {100, 66}, {-175, 65.5}, {0, -86}};
    const auto check = [&](const char* where) {
        const QImage picture = f.map()->grab().toImage();
        const auto colour = [&](GeoPoint p) -> std::optional<QColor> {
            const ScreenPoint s = f.map()->view().toScreen(p);
            const QPoint at(static_cast<int>(s.x), static_cast<int>(s.y));
            if (!picture.rect().adjusted(2, 2, -2, -2).contains(at)) return std::nullopt;
            return picture.pixelColor(at);
        };
        const auto sea = colour({-30, -40}), land = colour({20, 15}); // the South Atlantic, Chad
        for (GeoPoint p : seas) {
            const auto c = colour(p);
            if (!sea || !c) continue;
            EXPECT_EQ(*c, *sea) << where << ": sea at " << p.lon << " " << p.lat;
        }
        for (GeoPoint p : lands) {
            const auto c = colour(p);
            if (!land || !c) continue;
            EXPECT_EQ(*c, *land) << where << ": land at " << p.lon << " " << p.lat;
        }
    };
    const auto zoomAt = [&](GeoPoint p, int steps) {
        const ScreenPoint s = f.map()->view().toScreen(p);
        const QPointF at(s.x, s.y);
        QWheelEvent wheel(at, f.map()->mapToGlobal(at), {}, QPoint(0, 120 * steps), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.map(), &wheel);
    };
    const auto drag = [&](QPoint by) {
        const QPoint from = f.map()->rect().center();
        QTest::mousePress(f.map(), Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step) {
            const QPointF to = from + by * step / 4;
            QMouseEvent move(QEvent::MouseMove, to, f.map()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(f.map(), &move);
        }
        QTest::mouseRelease(f.map(), Qt::LeftButton, {}, from + by);
    };
    check("the world");
    zoomAt({10, 64}, 4);
    check("Norway");
    drag({250, 40});
    check("Norway dragged east");
    zoomAt({-20, 60}, -2);
    zoomAt({-170, 64}, 3);
    check("the Bering Strait");
    drag({-200, 0});
    check("the Bering Strait dragged west");
}

TEST(MapDock, exportsThePictureAtTheMapsSize) {
    MapFixture f;
    f.listAirport("ENGM");
    const std::string path = f.dir.file("routes.png");
    f.prompts.expectFile(path);
    f.trigger("exportMapCap"); // the map is hidden: it is shown first
    EXPECT_TRUE(f.dock()->isVisible());
    QImage picture(QString::fromStdString(path));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), f.map()->size());
    EXPECT_EQ(f.window->statusBar()->currentMessage(), QStringLiteral("Map image saved as 'routes.png'"));

    f.dock()->setFloating(true);
    f.dock()->resize(700, 500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.map()->width() > 600; }));
    f.prompts.expectFile(path).expect("Overwrite existing file", Answer::Yes);
    f.trigger("exportMapCap");
    picture.load(QString::fromStdString(path));
    EXPECT_EQ(picture.size(), f.map()->size());
    EXPECT_TRUE(f.prompts.done());
}

TEST(Timeline, barsOfADailyFlightWhereTheirTimesAre) {
    MapFixture f;
    f.listAirport("EKCH"); // lists and loads ENGM-ESSA-EKCH
    ui::TimelineWidget* strip = f.timeline();
    ASSERT_EQ(strip->timeline().legs.size(), 3u);
    const double left = 6, width = strip->width() - 12;
    // Rows: ENGM (the leg from EKCH, 12-13), ESSA (08-09), EKCH (10-11).
    const double starts[] = {12, 8, 10};
    for (int leg = 0; leg < 3; ++leg) {
        const auto bars = strip->barRects(leg);
        ASSERT_EQ(bars.size(), 1u);
        EXPECT_NEAR(bars[0].left(), left + width * starts[leg] / 24, 0.01) << leg;
        EXPECT_NEAR(bars[0].width(), width / 24, 0.01) << leg;
    }

    // Clicking the bar of the leg ESSA-EKCH puts it on screen: it departs from row ESSA.
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->barRects(2)[0].center().toPoint());
    EXPECT_EQ(f.find<QTreeView>("legsLst")->currentIndex().row(), 1);
    EXPECT_EQ(f.find<QComboBox>("depCom")->currentText(), QStringLiteral("ESSA"));
    EXPECT_EQ(f.find<QComboBox>("desCom")->currentText(), QStringLiteral("EKCH"));
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->barRects(0)[0].center().toPoint());
    EXPECT_EQ(f.find<QComboBox>("depCom")->currentText(), QStringLiteral("EKCH"));
}

TEST(Timeline, barsOfAWeeklyFlightOnItsDays) {
    MapFixture f;
    f.listAirport("KSEA");
    ui::TimelineWidget* strip = f.timeline();
    ASSERT_TRUE(strip->timeline().weekly);
    const double left = 6, width = strip->width() - 12;
    const double week = 7 * 24;
    // Row 0 holds the last leg, KSEA-ESSA on Wednesday at 10:00; row 1 ESSA-KSEA on Monday.
    EXPECT_NEAR(strip->barRects(0)[0].left(), left + width * (3 * 24 + 10) / week, 0.01);
    EXPECT_NEAR(strip->barRects(0)[0].width(), width * 1.5 / week, 0.01);
    EXPECT_NEAR(strip->barRects(1)[0].left(), left + width * (1 * 24 + 8) / week, 0.01) << "Monday 08:00";
}

TEST(Timeline, shortTurnaroundsByTheChecksSetting) {
    MapFixture f;
    f.listAirport("ENBR"); // 30 minutes at ENBR
    ASSERT_EQ(f.timeline()->timeline().legs.size(), 2u);
    EXPECT_FALSE(f.timeline()->timeline().legs[0].shortTurnaround);
    f.settings.setValue("Turnaround Minutes", "45");
    f.listAirport("ENBR");
    EXPECT_TRUE(f.timeline()->timeline().legs[0].shortTurnaround);
}
