// The "Airport Board" window: opened on the listed airport, its choices, following the data, a
// double-click to the FlightPlans page, the chart's tips and its export.

#include "board/boardtext.h"
#include "mainwindowfixture.h"
#include "ui/airportboardwindow.h"
#include "ui/boardchartwidget.h"
#include "ui/textcodec.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

using namespace corvane;
using test::MainWindowFixture;

namespace {

// 0: ENGM-ESSA-ENGM daily; 1: ESSA-EKCH-ESSA; 2: ENGM-EKCH-ENGM every 12 hours.
const char* kFlights[] = {
    "AC#1,LN-A,50%,24Hr,IFR,08:00:00,09:00:00,330,F,120,ESSA,10:00:00,11:00:00,330,F,9,ENGM,",
    "AC#1,SE-B,100%,24Hr,IFR,08:00:00,09:00:00,330,F,1,EKCH,10:00:00,11:00:00,330,F,2,ESSA,",
    "AC#1,LN-C,100%,12Hr,VFR,01:30:00,02:30:00,330,F,77,EKCH,03:00:00,04:00:00,330,F,78,ENGM,"};

struct BoardFixture : MainWindowFixture {
    BoardFixture() {
        start();
        window->show();
        for (const char* line : kFlights) window->session().db.flightTable().append(line);
        listAirport("ENGM");
    }
    QWidget* board() { return window->findChild<QWidget*>(QStringLiteral("boardFrm")); }
    QTreeView* list(const char* name) { return find<QTreeView>(name); }
    QString text(const char* name) { return find<QLabel>(name)->text(); }
    ui::BoardChartWidget* chart() { return find<ui::BoardChartWidget>("boardChart"); }
};

} // namespace

TEST(AirportBoardWindow, opensWithF11OnTheListedAirportAndFollowsTheData) {
    BoardFixture f;
    QAction* action = f.find<QAction>("boardCap");
    EXPECT_EQ(action->text(), QStringLiteral("Airport Board..."));
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::Key_F11));
    f.find<QTabBar>("TB")->setCurrentIndex(1); // from another page too
    f.trigger("boardCap");
    ASSERT_NE(f.board(), nullptr);
    EXPECT_TRUE(f.board()->isVisible());
    EXPECT_FALSE(f.board()->isModal());
    EXPECT_EQ(f.board()->windowTitle(), QStringLiteral("Airport Board"));
    EXPECT_EQ(f.find<QComboBox>("boardAptCom")->currentText(), QStringLiteral("ENGM"));
    EXPECT_EQ(f.text("boardInfoLbl"), QStringLiteral("ENGM Oslo-Gardermoen International Airport"));
    EXPECT_EQ(f.find<QComboBox>("boardZoneCom")->currentText(), QStringLiteral("GMT"));
    EXPECT_EQ(f.find<QComboBox>("boardZoneCom")->count(), 25);
    EXPECT_EQ(f.find<QComboBox>("boardDayCom")->currentText(), QStringLiteral("All"));
    QStringList headers;
    for (int column = 0; column < f.list("departuresLst")->model()->columnCount(); ++column)
        headers << f.list("departuresLst")->model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers.join(u'|'), QStringLiteral("Time|Day|Flight|Tail|Aircraft|To|Percent|Rules|Repeat"));
    EXPECT_EQ(f.list("arrivalsLst")->model()->headerData(AirportColumn, Qt::Horizontal).toString(),
              QStringLiteral("From"));
    ASSERT_EQ(f.rows("departuresLst"), 3);
    EXPECT_EQ(f.cell("departuresLst", 0, TimeColumn), QStringLiteral("01:30"));
    EXPECT_EQ(f.cell("departuresLst", 1, AirportColumn), QStringLiteral("ESSA Stockholm-Arlanda Airport"));
    EXPECT_EQ(f.cell("departuresLst", 2, RepeatColumn), QStringLiteral("every 12 hours"));
    EXPECT_EQ(f.find<QGroupBox>("departuresFrm")->title(), QStringLiteral("Departures (3)"));
    EXPECT_EQ(f.find<QGroupBox>("arrivalsFrm")->title(), QStringLiteral("Arrivals (3)"));
    EXPECT_EQ(
        f.text("boardCountLbl"),
        QStringLiteral("Scheduled 6 movements. Expected 5.0 movements. At most 2 aircraft on the ground "
                       "at once (00:00-01:00)."));

    // Tab goes through the window in reading order.
    QApplication::setActiveWindow(f.board());
    f.find<QComboBox>("boardAptCom")->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }));
    QStringList order;
    for (int step = 0; step < 6; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order, (QStringList{QStringLiteral("boardZoneCom"), QStringLiteral("boardDayCom"),
                                  QStringLiteral("departuresLst"), QStringLiteral("arrivalsLst"),
                                  QStringLiteral("boardExportCmd"), QStringLiteral("boardCloseCmd")}));

    // Times in +2 on Monday; a header click sorts.
    f.choose("boardZoneCom", 14);
    f.choose("boardDayCom", 2);
    EXPECT_EQ(f.cell("departuresLst", 0, TimeColumn), QStringLiteral("03:30"));
    emit f.list("departuresLst")->header()->sectionClicked(FlightColumn);
    EXPECT_EQ(f.cell("departuresLst", 0, FlightColumn), QStringLiteral("77"));
    EXPECT_EQ(f.list("departuresLst")->header()->sortIndicatorSection(), int(FlightColumn));

    // A change of the data: the board builds itself again, but not while an operation runs.
    ui::ProgressWindow& progress = f.window->progressWindow();
    progress.begin("Working");
    f.window->session().db.flightTable().empty(2);
    QTest::qWait(150);
    EXPECT_EQ(f.rows("departuresLst"), 3) << "it waits for the end of the operation";
    progress.end();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.rows("departuresLst") == 1; }));
    // A command and its undo; a closed board is built again when shown.
    f.find<QTabBar>("TB")->setCurrentIndex(0);
    f.listAirport("ENGM");
    f.prompts.expect("Delete selected flight", Answer::Yes);
    f.trigger("flightCap1"); // Delete Flight: flight 0, the one left at ENGM
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.rows("departuresLst") == 0; }));
    f.window->undo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.rows("departuresLst") == 1; }));
    f.find<QPushButton>("boardCloseCmd")->click();
    EXPECT_FALSE(f.board()->isVisible());
    f.window->redo();
    QTest::qWait(50);
    f.trigger("boardCap");
    EXPECT_EQ(f.rows("departuresLst"), 0);
    f.window->undo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.rows("departuresLst") == 1; }));
    EXPECT_TRUE(f.prompts.done());

    // The airport box as on the FlightPlans page; the listed airport stays.
    f.trigger("boardCap");
    QLineEdit* airport = f.find<QComboBox>("boardAptCom")->lineEdit();
    airport->selectAll();
    QTest::keyClicks(airport, QStringLiteral("essa"));
    EXPECT_EQ(airport->text(), QStringLiteral("ESSA"));
    EXPECT_EQ(airport->selectedText(), QStringLiteral("ESSA"));
    EXPECT_EQ(f.text("boardInfoLbl"), QStringLiteral("ESSA Stockholm-Arlanda Airport"));
    EXPECT_EQ(f.rows("departuresLst"), 2);
    EXPECT_EQ(f.find<QComboBox>("aptCom")->currentText(), QStringLiteral("ENGM"));
    f.trigger("boardCap");
    EXPECT_EQ(airport->text(), QStringLiteral("ESSA")) << "open: it keeps its airport";
    QTest::keyClick(f.board(), Qt::Key_Escape);
    EXPECT_FALSE(f.board()->isVisible());
    f.trigger("boardCap");
    EXPECT_EQ(airport->text(), QStringLiteral("ENGM")) << "opened again: the listed airport";

    // The program ends with the board open and its airport box holding another code.
    QApplication::setActiveWindow(f.board());
    airport->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return airport->hasFocus(); }));
    airport->selectAll();
    QTest::keyClicks(airport, QStringLiteral("BGO")); // a code of the list, not yet chosen
    f.window->session().db.flightTable().clear();     // no save question
    f.window.reset();
}

TEST(AirportBoardWindow, aRowOpensItsFlightAndTheChartTellsAndExportsItsHours) {
    BoardFixture f;
    f.find<QTabBar>("TB")->setCurrentIndex(2);
    f.trigger("boardCap");
    ASSERT_EQ(f.cell("arrivalsLst", 1, TimeColumn), QStringLiteral("11:00"));
    QTreeView* arrivals = f.list("arrivalsLst");
    const QPoint at = arrivals->visualRect(arrivals->model()->index(1, 0)).center();
    QTest::mouseClick(arrivals->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(arrivals->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(f.find<QTabBar>("TB")->currentIndex(), 0) << "the FlightPlans page";
    EXPECT_EQ(f.find<QComboBox>("aptCom")->currentText(), QStringLiteral("ENGM"));
    EXPECT_EQ(f.window->flightEditor().CurrentFlightIndex(), 0);
    EXPECT_EQ(f.find<QComboBox>("depCom")->currentText(), QStringLiteral("ESSA")) << "the leg that arrives";
    EXPECT_EQ(f.find<QComboBox>("desCom")->currentText(), QStringLiteral("ENGM"));

    QTreeView* departures = f.list("departuresLst");
    departures->setCurrentIndex(departures->model()->index(0, 0)); // 01:30, flight 2 to EKCH
    QTest::keyClick(departures, Qt::Key_Return);
    EXPECT_EQ(f.window->flightEditor().CurrentFlightIndex(), 2);
    EXPECT_EQ(f.find<QComboBox>("depCom")->currentText(), QStringLiteral("ENGM"));
    EXPECT_EQ(f.find<QComboBox>("desCom")->currentText(), QStringLiteral("EKCH"));

    // The chart: a bar where an hour has movements, its figures on hovering.
    ui::BoardChartWidget* chart = f.chart();
    chart->resize(600, 260);
    const AirportBoard& board = static_cast<ui::AirportBoardWindow*>(f.board())->editor().board();
    EXPECT_TRUE(chart->barRect(5).isEmpty());
    const QRectF bar = chart->barRect(11);
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_EQ(chart->hourAt(bar.center()), 11);
    EXPECT_LT(chart->barRect(11).height(), chart->barRect(1).height() * 1.01) << "one movement each";
    EXPECT_EQ(chart->hourAt(QPointF(2, 2)), -1);
    const QPoint inBar = bar.center().toPoint();
    QHelpEvent help(QEvent::ToolTip, inBar, chart->mapToGlobal(inBar));
    QApplication::sendEvent(chart, &help);
    // The tip's text is the board tests'.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QToolTip::text() == ui::MessageToDisplay(HourTip(board, 11)); }))
        << QToolTip::text().toStdString();

    // File > Export Board Chart: the chart with its counts under it.
    const std::string path = f.dir.file("chart.png");
    f.prompts.expectFile(path);
    f.trigger("exportBoardCap");
    ASSERT_EQ(f.prompts.fileRequests().size(), 1u);
    EXPECT_EQ(f.prompts.fileRequests()[0].title, "Export Board Chart");
    EXPECT_EQ(f.prompts.fileRequests()[0].initialName, "board.png");
    QImage picture(QString::fromStdString(path));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), chart->width());
    EXPECT_GT(picture.height(), chart->height());
    EXPECT_EQ(f.window->statusBar()->currentMessage(), QStringLiteral("Board chart saved as 'chart.png'"));
    f.prompts.expectFile(std::nullopt);
    f.find<QPushButton>("boardExportCmd")->click();
    EXPECT_TRUE(f.prompts.done());
}
