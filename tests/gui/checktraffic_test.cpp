// The "Check traffic" window and the question before compiling, driven as a user drives them.

#include "mainwindowfixture.h"
#include "ui/mapdock.h"
#include "ui/mapwidget.h"

#include <QComboBox>
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

// 0: nothing wrong. 1: its second leg flies from ESSA to ESSA. 2: flies to an airport nobody knows.
const char* kClean = "AC#1,LN-A,80%,24Hr,IFR,08:00:00,09:00:00,330,F,1,ESSA,10:00:00,11:00:00,330,F,2,ENGM,";
const char* kSameAirport =
    "AC#1,LN-B,80%,24Hr,IFR,08:00:00,09:00:00,330,F,1,ESSA,10:00:00,11:00:00,330,F,2,ESSA,"
    "12:00:00,13:00:00,330,F,3,ENGM,";
const char* kUnknownAirport =
    "AC#1,LN-C,80%,24Hr,IFR,08:00:00,09:00:00,330,F,1,XXXX,10:00:00,11:00:00,330,F,2,EKCH,";

struct CheckWindowFixture : MainWindowFixture {
    CheckWindowFixture() {
        start();
        window->show();
    }
    void add(const char* line) { window->session().db.flightTable().append(line); }
    QWidget* checkWindow() { return window->findChild<QWidget*>(QStringLiteral("checkFrm")); }
    QTreeView* problems() { return find<QTreeView>("problemsLst"); }
    QString cell(int row, int column) { return problems()->model()->index(row, column).data().toString(); }
    int rows() { return problems()->model()->rowCount(); }
    QString text(const char* name) { return find<QComboBox>(name)->currentText(); }
    // A double-click as the view receives it: the first click selects, the second press doubles it.
    void doubleClickRow(int row) {
        QTreeView* view = problems();
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
};

} // namespace

TEST(CheckTrafficWindow, opensWithF9AndShowsTheProblems) {
    CheckWindowFixture c;
    c.add(kClean);
    c.add(kSameAirport);
    c.add(kUnknownAirport);
    QAction* action = c.find<QAction>("flightCap8");
    EXPECT_EQ(action->text(), QStringLiteral("Check traffic..."));
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::Key_F9));
    c.window->setGeometry(60, 50, 700, 500);
    c.trigger("flightCap8");
    ASSERT_NE(c.checkWindow(), nullptr);
    EXPECT_TRUE(c.checkWindow()->isVisible());
    EXPECT_FALSE(c.checkWindow()->isModal());
    const QPoint offset = c.checkWindow()->geometry().center() - c.window->geometry().center();
    EXPECT_LE(offset.manhattanLength(), 20)
        << "over the middle of the main window, off by " << offset.x() << ", " << offset.y();
    EXPECT_EQ(c.checkWindow()->windowTitle(), QStringLiteral("Check traffic"));
    // The editor's rows and counts (their cells and texts are the editor tests').
    ASSERT_EQ(c.rows(), 2);
    EXPECT_EQ(c.cell(0, 0), QStringLiteral("error"));
    EXPECT_FALSE(c.problems()->model()->index(0, 0).data(Qt::DecorationRole).isNull()) << "an icon";
    EXPECT_EQ(c.find<QLabel>("countLbl")->text(), QStringLiteral("2 errors, 0 warnings in 2 flights"));

    // A message cut short in a narrow window shows whole when hovered; a cell that fits has no tooltip.
    c.checkWindow()->resize(640, 300);
    QApplication::processEvents();
    auto hover = [&](int row, int column) {
        const QPoint at = c.problems()->visualRect(c.problems()->model()->index(row, column)).center();
        QHelpEvent help(QEvent::ToolTip, at, c.problems()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(c.problems()->viewport(), &help);
    };
    hover(1, 5);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), c.cell(1, 5));
    hover(1, 1);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));

    // The filters and the header reach the editor.
    auto* check = c.find<QComboBox>("checkCom");
    check->setCurrentIndex(check->findText(QStringLiteral("Same airport")));
    emit check->activated(check->currentIndex());
    EXPECT_EQ(c.rows(), 1);
    EXPECT_EQ(c.find<QLabel>("countLbl")->text(),
              QStringLiteral("2 errors, 0 warnings in 2 flights; 1 shown"));
    check->setCurrentIndex(0);
    emit check->activated(0);
    auto* severity = c.find<QComboBox>("severityCom");
    severity->setCurrentIndex(2); // Warnings
    emit severity->activated(2);
    EXPECT_EQ(c.rows(), 0);
    severity->setCurrentIndex(0);
    emit severity->activated(0);
    emit c.problems()->header()->sectionClicked(1); // sorted by flight already: now descending
    EXPECT_EQ(c.cell(0, 1), QStringLiteral("2"));
    EXPECT_EQ(c.problems()->header()->sortIndicatorOrder(), Qt::DescendingOrder);

    // The window follows the data: a deleted flight goes at the next command.
    c.window->session().db.flightTable().empty(2);
    c.trigger("flightCap0"); // Add Flight: any command of the main window
    EXPECT_EQ(c.rows(), 1);

    c.find<QPushButton>("checkCloseCmd")->click();
    EXPECT_FALSE(c.checkWindow()->isVisible());
}

TEST(CheckTrafficWindow, doubleClickShowsTheFlightAndLegOnTheFlightPlansPage) {
    CheckWindowFixture c;
    c.add(kClean);
    c.add(kSameAirport);
    c.find<QTabBar>("TB")->setCurrentIndex(1); // the Airports page
    c.trigger("flightCap8");
    ASSERT_EQ(c.rows(), 1);
    c.doubleClickRow(0);

    EXPECT_EQ(c.find<QTabBar>("TB")->currentIndex(), 0) << "the FlightPlans page";
    EXPECT_EQ(c.find<QComboBox>("aptCom")->currentText(), QStringLiteral("ENGM")) << "the home airport";
    auto* flights = c.find<QTreeView>("flightsLst");
    const QModelIndex flight = flights->currentIndex();
    ASSERT_TRUE(flight.isValid());
    EXPECT_TRUE(flights->selectionModel()->isRowSelected(flight.row(), {}));
    EXPECT_EQ(flights->model()->index(flight.row(), 1).data().toString(), QStringLiteral("1"));
    auto* legs = c.find<QTreeView>("legsLst");
    EXPECT_EQ(legs->currentIndex().row(), 1) << "the row of ESSA, where leg 2 departs";
    EXPECT_TRUE(legs->selectionModel()->isRowSelected(1, {}));
    EXPECT_EQ(c.find<QLineEdit>("depTxt")->text(), QStringLiteral("10:00"));

    // Enter on a row does the same.
    c.window->session().db.flightTable().append(kUnknownAirport);
    c.find<QPushButton>("recheckCmd")->click();
    ASSERT_EQ(c.rows(), 2);
    c.problems()->setCurrentIndex(c.problems()->model()->index(1, 0));
    QTest::keyClick(c.problems(), Qt::Key_Return);
    EXPECT_EQ(c.text("desCom"), QStringLiteral("XXXX")) << "leg 1: EKCH-XXXX";
}

TEST(CheckTrafficWindow, theMapFollowsADoubleClick) {
    CheckWindowFixture c;
    c.add(kSameAirport);
    c.trigger("viewMapCap");
    auto* map = c.find<ui::MapWidget>("mapView");
    ASSERT_TRUE(QTest::qWaitFor([&] { return map->isVisible() && map->width() > 100; }));
    for (int step = 0; step < 8; ++step) map->zoomIn(); // the Gulf of Guinea, far from the flight
    c.trigger("flightCap8");
    ASSERT_EQ(c.rows(), 1);
    c.doubleClickRow(0);
    const AirportTable& airports = c.window->session().db.airportTable();
    for (const char* code : {"ENGM", "ESSA"}) {
        const int row = airports.findByIcao(code);
        const auto at = AirportPosition(airports.cell(row, AirportTable::Latitude),
                                        airports.cell(row, AirportTable::Longitude));
        const ScreenPoint s = map->view().toScreen(*at);
        EXPECT_TRUE(map->rect().contains(QPoint(static_cast<int>(s.x), static_cast<int>(s.y)))) << code;
    }
    EXPECT_EQ(c.window->mapDock().editor().selectedLeg(), 1) << "leg 2 on screen there too";
}

TEST(CheckTrafficWindow, refreshSeesTheFlightBeingEdited) {
    CheckWindowFixture c;
    c.add(kClean);
    c.window->flightEditor().chooseAirport("ENGM");
    c.trigger("flightCap8");
    EXPECT_EQ(c.rows(), 0);
    auto* tail = c.find<QLineEdit>("tailTxt");
    tail->clear();
    QTest::keyClicks(tail, QStringLiteral("X"));
    auto* percent = c.find<QLineEdit>("percentTxt");
    percent->selectAll();
    QTest::keyClicks(percent, QStringLiteral("0"));
    c.find<QPushButton>("recheckCmd")->click();
    ASSERT_EQ(c.rows(), 1);
    EXPECT_EQ(c.cell(0, 4), QStringLiteral("Traffic percent"));
}

TEST(CheckTrafficWindow, compileAsksWhenThereAreErrors) {
    CheckWindowFixture c;
    c.add(kClean);
    c.add(kUnknownAirport);
    c.add("AC#1,LN-D,0%,24Hr,IFR,08:00:00,09:00:00,330,F,1,ESSA,10:00:00,11:00:00,330,F,2,ENGM,"); // warned
    c.prompts.expect("Traffic check", Answer::Cancel);
    c.trigger("fileCap7");
    EXPECT_EQ(c.checkWindow(), nullptr) << "Cancel: no window, no compile (the question is the unit tests')";

    c.prompts.expect("Traffic check", Answer::Yes);
    c.trigger("fileCap7");
    ASSERT_NE(c.checkWindow(), nullptr);
    EXPECT_TRUE(c.checkWindow()->isVisible()) << "Show problems: the window, no compile";
    EXPECT_EQ(c.text("severityCom"), QStringLiteral("Errors"));
    EXPECT_EQ(c.rows(), 1) << "the error, not the warning";

    // Compile anyway: the compile runs as before, starting with its own question.
    c.prompts.expect("Traffic check", Answer::No).expect("WARNING", Answer::No);
    c.trigger("fileCap7");

    // Without errors there is no question before the compile's own.
    c.window->session().db.flightTable().empty(1); // flight 2 is only warned about
    c.prompts.expect("WARNING", Answer::No);
    c.trigger("fileCap7");
    EXPECT_TRUE(c.tools.calls().empty());
}

TEST(CheckTrafficWindow, turnaroundMinimumInTheOptionsWindow) {
    CheckWindowFixture c;
    c.add("AC#1,LN-A,80%,24Hr,IFR,08:00:00,09:00:00,330,F,1,ESSA,09:20:00,10:20:00,330,F,2,ENGM,");
    c.trigger("flightCap8");
    EXPECT_EQ(c.rows(), 0) << "20 minutes on the ground at ESSA are more than 10";
    MainWindowFixture::whenModal([&](QWidget* dialog) {
        auto* minutes = dialog->findChild<QLineEdit*>(QStringLiteral("turnaroundTxt"));
        ASSERT_NE(minutes, nullptr);
        EXPECT_EQ(minutes->text(), QStringLiteral("10")); // what it refuses is the options editor's tests'
        minutes->setText(QStringLiteral("30"));
        emit minutes->textEdited(minutes->text());
        dialog->findChild<QPushButton*>(QStringLiteral("okCmd"))->click();
    });
    c.trigger("menuCap2");
    EXPECT_EQ(c.settings.value("Turnaround Minutes"), "30");
    ASSERT_EQ(c.rows(), 1) << "the open window checked again with the new minimum";
    EXPECT_EQ(c.cell(0, 4), QStringLiteral("Short turnaround"));
}

TEST(CheckTrafficWindow, useTheProposedArrivalOnTheSelectedProblems) {
    CheckWindowFixture c;
    c.add(kSameAirport);
    // ENGM-ESSA is proposed some 45 minutes: legs of 3 and 2 minutes are too short.
    const std::string shortLegs =
        "AC#1,LN-D,80%,24Hr,IFR,08:00:00,08:03:00,330,F,1,ESSA,10:00:00,10:02:00,330,F,2,ENGM,";
    c.add(shortLegs.c_str());
    c.trigger("flightCap8");
    ASSERT_EQ(c.rows(), 3);
    auto* button = c.find<QPushButton>("proposedArrivalCmd");
    auto* action = c.find<QAction>("proposedArrivalAct");
    EXPECT_EQ(button->text(), QStringLiteral("Use the proposed arrival"));
    EXPECT_TRUE(c.problems()->actions().contains(action)) << "in the list's context menu";
    EXPECT_FALSE(button->isEnabled()) << "nothing selected";
    c.problems()->selectionModel()->select(c.problems()->model()->index(0, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(c.cell(0, 4), QStringLiteral("Same airport"));
    EXPECT_FALSE(button->isEnabled()) << "no quick fix for a leg from an airport to itself";
    c.problems()->selectAll();
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(action->isEnabled());

    action->trigger(); // the legs it sets are the editor tests'
    EXPECT_NE(c.window->session().db.flightTable().at(1), shortLegs);
    ASSERT_EQ(c.rows(), 1) << "checked again: the legs are fixed";
    EXPECT_EQ(c.window->statusBar()->currentMessage(), QStringLiteral("Proposed arrival used on 2 legs"));
    EXPECT_FALSE(button->isEnabled());
    auto* undo = c.window->findChild<QAction*>(QStringLiteral("undoCmd"));
    EXPECT_EQ(undo->text(), QStringLiteral("Undo Use the proposed arrival"));
    undo->trigger();
    EXPECT_EQ(c.window->session().db.flightTable().at(1), shortLegs);
    EXPECT_EQ(c.rows(), 3) << "the open window follows the undo";
}
