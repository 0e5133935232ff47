// The FlightPlans page driven as a user drives it: typing, clicking, answering questions.

#include "mainwindowfixture.h"
#include "testflights.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>

using namespace corvane;
using test::MainWindowFixture;

namespace {

using test::kLoop;
using test::kShuttle;

struct Page : MainWindowFixture {
    Page() {
        start();
        window->session().db.flightTable().append(kLoop);
        window->session().db.flightTable().append(kShuttle);
    }
    QLabel* pageLabel() { return find("F1")->findChild<QLabel*>(QStringLiteral("infoLbl")); }
    QLineEdit* aptText() { return find<QComboBox>("aptCom")->lineEdit(); }
    QTreeView* list(const char* name) { return find<QTreeView>(name); }
    void typeInto(QLineEdit* field, const QString& text) { QTest::keyClicks(field, text); }
    void clickRow(const char* name, int row) {
        QTreeView* view = list(name);
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

} // namespace

TEST(FlightPlansPage, typeAheadListsTheAirport) {
    Page p;
    p.window->show();
    p.typeInto(p.aptText(), QStringLiteral("en")); // what each letter lists is the flight editor tests'
    p.typeInto(p.aptText(), QStringLiteral("gm"));
    EXPECT_EQ(p.aptText()->text(), QStringLiteral("ENGM"));
    EXPECT_EQ(p.aptText()->selectedText(), QStringLiteral("ENGM"));
    EXPECT_EQ(p.pageLabel()->text(), QStringLiteral("Flights at ENGM"));
    EXPECT_EQ(p.rows("flightsLst"), 2);

    p.aptText()->clear();
    p.typeInto(p.aptText(), QStringLiteral("bgo"));
    EXPECT_EQ(p.pageLabel()->text(), QStringLiteral("Flights at ENGM"));
    QTest::keyClick(p.aptText(), Qt::Key_Return);
    EXPECT_EQ(p.pageLabel()->text(), QStringLiteral("Flights at BGO"));
    EXPECT_EQ(p.aptText()->text(), QStringLiteral("BGO"));
    EXPECT_EQ(p.rows("flightsLst"), 0);
}

// The buttons and header fields reach the editor, and the page shows its answer (what the editor
// makes of each edit is the editor tests').
TEST(FlightPlansPage, buttonsAndHeaderFields) {
    Page p;
    p.listAirport("ENGM");
    p.find<QPushButton>("addFlightCmd")->click();
    EXPECT_EQ(p.cell("flightsLst", 0), QStringLiteral("ENGM-----"));
    EXPECT_EQ(p.find<QComboBox>("aircraftCom")->currentText(), QStringLiteral("Choose Aircraft"));
    p.prompts.expect("Delete selected flight", Answer::Yes);
    p.find<QPushButton>("delFlightCmd")->click();
    EXPECT_EQ(p.rows("flightsLst"), 2);

    p.listAirport("EKCH");
    auto* percent = p.find<QLineEdit>("percentTxt");
    percent->selectAll();
    p.typeInto(percent, QStringLiteral("250"));
    EXPECT_EQ(percent->text(), QStringLiteral("100"));
    auto* repeat = p.find<QComboBox>("repeatCom");
    repeat->setCurrentIndex(repeat->findText(QStringLiteral("WEEK")));
    emit repeat->activated(repeat->currentIndex());
    EXPECT_EQ(p.cell("legsLst", 0, 6), QStringLiteral("0"));
    EXPECT_EQ(p.find<QComboBox>("depDayCom")->currentText(), QStringLiteral("Sun"));
    EXPECT_TRUE(p.find<QComboBox>("depDayCom")->isEnabled());
}

TEST(FlightPlansPage, legsAsTheAirportsSeeThem) {
    Page p;
    p.listAirport("ENGM");
    // ENGM-ESSA is loaded: row ENGM (the leg ESSA -> ENGM), row ESSA (the leg ENGM -> ESSA); the rows
    // and the fields of each are the legs editor tests'.
    ASSERT_EQ(p.rows("legsLst"), 2);
    p.clickRow("legsLst", 0);
    EXPECT_EQ(p.find<QComboBox>("depCom")->currentText(), QStringLiteral("ENGM"));
    p.clickRow("legsLst", 1);
    EXPECT_EQ(p.find<QComboBox>("depCom")->currentText(), QStringLiteral("ESSA"));
    EXPECT_EQ(p.find<QLineEdit>("depTxt")->text(), QStringLiteral("10:00"));

    p.find<QPushButton>("addCmd")->click();
    EXPECT_EQ(p.rows("legsLst"), 3);
    p.prompts.expect("Delete leg", Answer::Yes);
    p.find<QPushButton>("removeCmd")->click();
    EXPECT_EQ(p.rows("legsLst"), 2);
}

TEST(FlightPlansPage, aDestinationTypedProposesAnArrival) {
    Page p;
    p.listAirport("ENGM");
    p.clickRow("legsLst", 1); // ESSA -> ENGM, arriving 11:00 as stored
    ASSERT_EQ(p.find<QComboBox>("aircraftCom")->currentText(), QStringLiteral("Boeing 737-400"));
    auto* des = p.find<QComboBox>("desCom")->lineEdit();
    des->clear();
    p.typeInto(des, QStringLiteral("ekch"));
    EXPECT_EQ(des->text(), QStringLiteral("EKCH"));
    EXPECT_EQ(p.cell("legsLst", 0), QStringLiteral("EKCH"));
    // The arrival proposed (the legs editor tests') shows in the field and the list.
    const QString eta = p.find<QLineEdit>("etaTxt")->text();
    EXPECT_NE(eta, QStringLiteral("11:00"));
    EXPECT_EQ(p.cell("legsLst", 0, 2).left(5), eta);
}

TEST(FlightPlansPage, aLegFieldRefusesWhatWouldBreakTheLine) {
    Page p;
    p.listAirport("ENGM");
    p.clickRow("legsLst", 0); // ENGM -> ESSA, departing 08:00 as stored in row ESSA
    auto* dep = p.find<QLineEdit>("depTxt");
    p.prompts.expect("Wrong departure time");
    p.typeInto(dep, QStringLiteral("9"));
    EXPECT_EQ(dep->text(), QStringLiteral("08:00")) << "08:009 is refused and the field shows the time kept";
    EXPECT_EQ(p.cell("legsLst", 1, 1), QStringLiteral("08:00:00"));
    dep->selectAll();
    p.typeInto(dep, QStringLiteral("07:45"));
    EXPECT_EQ(p.cell("legsLst", 1, 1), QStringLiteral("07:45:00"));
    // A comma in the destination: refused, and the field shows the airport kept.
    auto* des = p.find<QComboBox>("desCom")->lineEdit();
    p.prompts.expect("Do not use comma");
    p.typeInto(des, QStringLiteral(","));
    EXPECT_EQ(des->text(), QStringLiteral("ESSA"));
}

TEST(FlightPlansPage, theAircraftStaysShownThroughACompile) {
    Page p;
    p.window->show();
    p.listAirport("ENGM");
    // The flight gets the aircraft that no flight before it uses: the rebuilt list starts with another.
    auto* aircraft = p.find<QComboBox>("aircraftCom");
    const QString other = aircraft->currentText();
    const int chosen =
        aircraft->findText(other == QStringLiteral("Dash 8-100") ? QStringLiteral("Boeing 737-400")
                                                                 : QStringLiteral("Dash 8-100"));
    ASSERT_GE(chosen, 0);
    aircraft->setCurrentIndex(chosen);
    emit aircraft->activated(chosen);
    const QString title = aircraft->currentText();
    ASSERT_NE(title, other);
    // What the combo shows each time it is painted while the compile turns the event loop.
    struct Painted : QObject {
        QStringList texts;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                auto* combo = static_cast<QComboBox*>(watched);
                texts << (combo->currentIndex() >= 0 ? combo->currentText() : combo->placeholderText());
            }
            return false;
        }
    } painted;
    aircraft->installEventFilter(&painted);
    p.prompts.expect("WARNING", Answer::Yes).expect("Error compiling Traffic.bgl");
    p.tools.expectExit(0, [&](const auto&) { QApplication::processEvents(); }); // leaves no Traffic.bgl
    p.trigger("fileCap7");
    QApplication::processEvents();
    aircraft->removeEventFilter(&painted);
    EXPECT_FALSE(painted.texts.isEmpty());
    EXPECT_EQ(painted.texts.filter(title).size(), painted.texts.size())
        << painted.texts.join(u'|').toStdString();
    EXPECT_EQ(aircraft->currentText(), title);
}

TEST(FlightPlansPage, tabbingThroughTheFieldsChangesNothing) {
    Page p;
    p.window->show();
    p.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p.window.get()));
    p.listAirport("ENGM");
    p.clickRow("flightsLst", 1);
    const int flight = p.window->flightEditor().CurrentFlightIndex();
    const std::string line = p.window->session().db.flightTable().at(flight);
    p.aptText()->setFocus();
    QStringList passed;
    for (int step = 0; step < 30; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        passed << QApplication::focusWidget()->objectName();
    }
    ASSERT_TRUE(passed.contains(QStringLiteral("depCom")) && passed.contains(QStringLiteral("desCom")))
        << passed.join(u' ').toStdString();
    EXPECT_EQ(p.window->flightEditor().CurrentFlightIndex(), flight) << "the airport is not listed again";
    for (int row = 0; row < p.rows("legsLst"); ++row)
        for (int day : {6, 7})
            EXPECT_EQ(p.cell("legsLst", row, day), QString()) << "a daily flight has no days";
    EXPECT_EQ(p.window->undoStack().count(), 0) << "no step to undo";
    p.window->flightEditor().SaveToLST();
    EXPECT_EQ(p.window->session().db.flightTable().at(flight), line);
}
