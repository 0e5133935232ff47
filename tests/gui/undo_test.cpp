// Undo and redo in the window: the Edit menu, the pages showing what came back, the "unsaved" mark
// and the save question that knows what changed.

#include "mainwindowfixture.h"
#include "projects/projectcommands.h"
#include "tempdir.h"
#include "traffic/changejournal.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTreeView>

using namespace corvane;
using test::MainWindowFixture;

namespace {

// A window with a project of three flights at ENGM, saved, and the FlightPlans page listing ENGM.
struct Editing : MainWindowFixture {
    ui::MainWindow* w = nullptr;
    std::string project;

    Editing() {
        w = &start();
        Session& session = w->session();
        for (const char* tail : {"N1", "N2", "N3"})
            session.db.flightTable().append(
                "AC#1," + std::string(tail) +
                ",100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,ESSA,10:00:00,11:00:00,100,F,2,"
                "ENGM,");
        project = dir.file("Three.cvp");
        prompts.expectFile(project);
        trigger("fileCap5"); // Save As: the saved point
        w->flightEditor().chooseAirport("ENGM");
        w->ShowFrame(find("F1"));
        QApplication::processEvents();
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name)); }
};

} // namespace

TEST(Undo, deletingEveryFlightIsTakenBackWithCtrlZ) {
    Editing e;
    ASSERT_EQ(e.rows("flightsLst"), 3);
    EXPECT_FALSE(e.action("undoCmd")->isEnabled()) << "nothing to undo after a save";
    EXPECT_FALSE(e.w->isWindowModified());

    MainWindowFixture::whenModal([&](QWidget* dialog) {
        e.prompts.expect("Corvane");
        dialog->findChild<QPushButton*>(QStringLiteral("runCmd"))->click(); // all flights
        EXPECT_TRUE(e.w->isWindowModified()) << "marked at once, while the dialog stays open";
        dialog->findChild<QPushButton*>(QStringLiteral("closeCmd"))->click();
    });
    e.trigger("FilterCap0");
    EXPECT_EQ(e.w->session().db.flightTable().nonEmptyCount(), 0);
    EXPECT_EQ(e.rows("flightsLst"), 0);
    EXPECT_TRUE(e.w->isWindowModified()) << "the title carries the mark";
    EXPECT_EQ(test::ShownTitle(*e.w), QString::fromStdString("Corvane - [" + e.project + "]*"));
    EXPECT_EQ(e.action("undoCmd")->text(), QStringLiteral("Undo Filter - Delete"));

    e.w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(e.w));
    QTest::keyClick(e.w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.w->session().db.flightTable().nonEmptyCount(), 3) << "every flight is back";
    EXPECT_EQ(e.rows("flightsLst"), 3) << "and the FlightPlans page lists them";
    EXPECT_FALSE(e.w->isWindowModified()) << "back at the saved point, the mark goes";
    EXPECT_EQ(e.action("redoCmd")->text(), QStringLiteral("Redo Filter - Delete"));
    EXPECT_FALSE(e.action("undoCmd")->isEnabled());

    QTest::keyClick(e.w, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(e.w->session().db.flightTable().nonEmptyCount(), 0);
    EXPECT_TRUE(e.w->isWindowModified());
    QTest::keyClick(e.w, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(e.w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(e.w->session().db.flightTable().nonEmptyCount(), 0) << "Ctrl+Shift+Z redoes too";
}

TEST(Undo, aFieldVisitIsOneStepAndTheRestoredFlightIsShown) {
    Editing e;
    auto* list = e.find<QTreeView>("flightsLst");
    list->setCurrentIndex(list->model()->index(1, 0));
    const int flight = e.w->flightEditor().CurrentFlightIndex();
    // A step before, saved: Edit > Undo is there, the data are clean.
    e.find<QRadioButton>("vfrOpt")->click();
    e.trigger("fileCap4");
    ASSERT_EQ(e.w->session().db.journal().stepCount(), 1);
    ASSERT_FALSE(e.w->isWindowModified());
    auto* tail = e.find<QLineEdit>("tailTxt");
    e.w->activateWindow();
    tail->setFocus();
    tail->selectAll();
    QTest::keyClicks(tail, QStringLiteral("G-ABCD"));
    EXPECT_TRUE(e.w->isWindowModified()) << "marked with the first edit, before the field is left";
    // Ctrl+Z and Ctrl+Shift+Z in the field are the field's own while it has typing to take back.
    QTest::keyClick(tail, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(tail->text(), QStringLiteral("G-ABCD"));
    EXPECT_EQ(e.w->session().db.journal().stepCount(), 1) << "no step was closed and undone";
    QTest::keyClick(tail, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tail->text(), QStringLiteral("G-ABCD"));
    // Leaving the field ends the visit: the whole typing is one step.
    auto* percent = e.find<QLineEdit>("percentTxt");
    percent->setFocus();
    emit tail->editingFinished();
    ASSERT_EQ(e.w->session().db.journal().stepCount(), 2);
    EXPECT_EQ(e.action("undoCmd")->text(), QStringLiteral("Undo Edit Tail number"));
    EXPECT_NE(e.w->session().db.flightTable().at(flight).find(",G-ABCD,"), std::string::npos);

    // Another flight on screen; the undo shows the restored one again. Ctrl+Z in a field with nothing
    // of its own to undo is the Edit menu's.
    list->setCurrentIndex(list->model()->index(0, 0));
    percent->setFocus();
    ASSERT_FALSE(percent->isUndoAvailable());
    QTest::keyClick(percent, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.w->session().db.flightTable().at(flight).find(",G-ABCD,"), std::string::npos);
    EXPECT_EQ(e.w->flightEditor().CurrentFlightIndex(), flight) << "the restored flight is selected";
    EXPECT_NE(tail->text(), QStringLiteral("G-ABCD"));
    e.trigger("redoCmd");
    EXPECT_EQ(tail->text(), QStringLiteral("G-ABCD"));
}

TEST(Undo, theSaveQuestionComesOnlyAfterAChangeAndCancelKeepsEverything) {
    Editing e;
    // Nothing changed since the save: New asks nothing.
    e.trigger("fileCap0");
    EXPECT_TRUE(e.w->session().db.flightTable().isEmpty());
    EXPECT_FALSE(e.action("undoCmd")->isEnabled()) << "a new project has no history";

    e.prompts.expectFile(e.project);
    e.trigger("fileCap1");
    ASSERT_EQ(e.w->session().db.flightTable().nonEmptyCount(), 3);
    e.w->flightEditor().chooseAirport("ENGM");
    e.prompts.expect("Delete selected flight", Answer::Yes);
    e.find<QPushButton>("delFlightCmd")->click();
    EXPECT_EQ(e.w->session().db.flightTable().nonEmptyCount(), 2);
    EXPECT_TRUE(e.w->isWindowModified());

    // Cancel stops Exit: the window and the data stay (New and Open are the project commands' tests).
    e.prompts.expect("Save Project", Answer::Cancel);
    EXPECT_FALSE(e.w->close());
    EXPECT_EQ(e.w->session().db.flightTable().nonEmptyCount(), 2);
    EXPECT_EQ(e.prompts.shown().back().buttons, Buttons::YesNoCancel);

    // Undone to the saved point, Exit asks nothing.
    e.trigger("undoCmd");
    EXPECT_FALSE(e.w->isWindowModified());
    EXPECT_TRUE(e.w->close());
}

TEST(Undo, aFilterUndoneOrRedoneLeavesTheUserWhereTheyAre) {
    Editing e;
    MainWindowFixture::whenModal([&](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("dataTxt")), QStringLiteral("50"));
        e.prompts.expect("Corvane");
        dialog->findChild<QPushButton*>(QStringLiteral("runCmd"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("closeCmd"))->click();
    });
    e.trigger("FilterCap1");
    auto* list = e.find<QTreeView>("flightsLst");
    list->setCurrentIndex(list->model()->index(2, 0));
    const int flight = e.w->flightEditor().CurrentFlightIndex();
    auto* percent = e.find<QLineEdit>("percentTxt");
    ASSERT_EQ(percent->text(), QStringLiteral("50"));

    e.trigger("undoCmd");
    EXPECT_EQ(e.w->flightEditor().CurrentFlightIndex(), flight) << "the flight on screen stays";
    EXPECT_EQ(percent->text(), QStringLiteral("100")) << "as the undo left it";
    e.trigger("redoCmd");
    EXPECT_EQ(e.w->flightEditor().CurrentFlightIndex(), flight);
    EXPECT_EQ(percent->text(), QStringLiteral("50"));
    // On another page, the undo stays there.
    auto* tabs = e.find<QTabBar>("TB");
    tabs->setCurrentIndex(1);
    e.trigger("undoCmd");
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_NE(e.w->session().db.flightTable().at(flight).find(",100%,"), std::string::npos);

    // An airport edit is marked at once as well.
    e.trigger("fileCap4");
    ASSERT_FALSE(e.w->isWindowModified());
    QTest::keyClicks(e.find<QLineEdit>("aptNameTxt"), QStringLiteral("x"));
    EXPECT_TRUE(e.w->isWindowModified());
}

TEST(Undo, aCompileThatDropsFlightsLeavesTheDataChanged) {
    Editing e;
    // The project file gets a flight to an airport nobody knows, which a compile drops.
    e.dir.write("Three.cvp",
                e.dir.read("Three.cvp") +
                    "AC#1,N4,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,XXXX,10:00:00,11:00:00,100,F,2,"
                    "ENGM,\r\n");
    e.prompts.expectFile(e.project);
    e.trigger("fileCap1");
    ASSERT_EQ(e.w->session().db.flightTable().nonEmptyCount(), 4);
    ASSERT_FALSE(e.w->isWindowModified());

    const std::string bgl = e.dir.file("FS2002/SCENEDB/ATC/Scenery/traffic.bgl");
    e.tools.expectExit(0, [bgl](const test::FakeToolRunner::Call&) { test::TempDir::writeFile(bgl, "new"); });
    e.prompts.expect("Traffic check", Answer::No)
        .expect("WARNING", Answer::Yes)
        .expect("Error finding airport");
    e.trigger("fileCap7");
    ASSERT_EQ(e.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl"), "new");
    EXPECT_EQ(e.w->session().db.flightTable().nonEmptyCount(), 3) << "the compile dropped the flight";
    EXPECT_TRUE(e.w->isWindowModified()) << "the data are no longer those of the project file";
    EXPECT_EQ(e.w->statusBar()->currentMessage(),
              QStringLiteral("Traffic.bgl compiled; there was no old file to back up"));
}

TEST(Undo, theBulkChangesCountFirstAndAreEachOneStep) {
    Editing e;
    Session& session = e.w->session();
    const std::vector<std::string> lines = session.db.flightTable().lines();
    const auto label = [](QWidget* dialog) {
        return dialog->findChild<QLabel*>(QStringLiteral("countLbl"))->text().toStdString();
    };

    // The counts and refusals are the bulk change editors' tests; here the dialogs follow the typing.
    MainWindowFixture::whenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("rerouteFrm"));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Move an airport's traffic"));
        auto* from = dialog->findChild<QLineEdit*>(QStringLiteral("fromTxt"));
        QTest::keyClicks(from, QStringLiteral("essa"));
        EXPECT_EQ(from->text(), QStringLiteral("ESSA"));
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("toTxt")), QStringLiteral("ekch"));
        EXPECT_EQ(label(dialog), "3 flights with 6 legs to or from ESSA will fly to or from EKCH instead.");
        dialog->findChild<QCheckBox*>(QStringLiteral("removeChk"))->click();
        EXPECT_EQ(label(dialog),
                  "3 flights with 6 legs to or from ESSA will fly to or from EKCH instead. ESSA "
                  "leaves the airport table.");
        e.prompts.expect("Move an airport's traffic");
        dialog->findChild<QPushButton*>(QStringLiteral("runCmd"))->click();
        EXPECT_EQ(label(dialog), "No flight flies to or from ESSA.") << "counted again after the run";
        EXPECT_TRUE(e.w->isWindowModified()) << "marked at once";
        EXPECT_EQ(
            e.w->statusBar()->currentMessage(),
            QStringLiteral("Traffic of ESSA moved to EKCH: 3 flights with 6 legs; ESSA removed from the "
                           "airport table"));
        dialog->findChild<QPushButton*>(QStringLiteral("closeCmd"))->click();
    });
    e.trigger("moveTrafficCap");
    EXPECT_EQ(session.db.flightTable().at(0).find("ESSA"), std::string::npos);
    EXPECT_LT(session.db.airportTable().findByIcao("ESSA"), 0);
    EXPECT_EQ(e.action("undoCmd")->text(), QStringLiteral("Undo Move an airport's traffic"));
    e.trigger("undoCmd");
    EXPECT_EQ(session.db.flightTable().lines(), lines);
    EXPECT_GE(session.db.airportTable().findByIcao("ESSA"), 0) << "the airport is back";
    EXPECT_FALSE(e.w->isWindowModified());

    MainWindowFixture::whenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("retimeFrm"));
        dialog->findChild<QRadioButton*>(QStringLiteral("aircraftOpt"))->click();
        EXPECT_EQ(label(dialog), "You must select an aircraft from the from the list.");
        dialog->findChild<QRadioButton*>(QStringLiteral("allOpt"))->click();
        EXPECT_EQ(label(dialog), "6 legs of 3 flights of the 3 flights selected get a new arrival time.");
        e.prompts.expect("Set arrival times from cruise speeds");
        dialog->findChild<QPushButton*>(QStringLiteral("runCmd"))->click();
        EXPECT_EQ(label(dialog), "No leg of the 3 flights selected gets a new arrival time.");
        EXPECT_EQ(e.w->statusBar()->currentMessage(),
                  QStringLiteral("Arrival times of 6 legs in 3 flights set from the cruise speeds"));
        dialog->findChild<QPushButton*>(QStringLiteral("closeCmd"))->click();
    });
    e.trigger("retimeCap");
    EXPECT_NE(session.db.flightTable().lines(), lines);
    EXPECT_EQ(e.rows("flightsLst"), 3) << "the page lists the airport's flights again";
    EXPECT_EQ(e.action("undoCmd")->text(), QStringLiteral("Undo Set arrival times from cruise speeds"));
    auto* tabs = e.find<QTabBar>("TB");
    tabs->setCurrentIndex(1);
    e.trigger("undoCmd");
    EXPECT_EQ(session.db.flightTable().lines(), lines);
    EXPECT_EQ(tabs->currentIndex(), 1)
        << "a bulk change's undo, as a filter's, leaves the user where they are";
}
