// The Airports and Aircraft pages and the filter dialog, driven through their widgets.

#include "mainwindowfixture.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTreeView>

using namespace corvane;
using test::MainWindowFixture;

namespace {

struct Pages : MainWindowFixture {
    Pages() { start(); }
    void open(int page) { find<QTabBar>("TB")->setCurrentIndex(page); }
    void type(const char* field, const QString& text) {
        auto* edit = find<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    const AirportTable& airports() { return window->session().db.airportTable(); }
    int selected() { return window->airportEditor().selectedRow(); }
};

} // namespace

TEST(AirportsPage, editTheSelectedAirport) {
    Pages p;
    p.open(1);
    ASSERT_EQ(p.cell("aptLST", 0), QStringLiteral("BGO")) << "sorted by ICAO, the first row loaded";
    EXPECT_EQ(p.find<QLineEdit>("aptIcaoTxt")->text(), QStringLiteral("BGO"));
    const int row = p.selected();

    p.prompts.expect("Do not use comma"); // the row keeps its name: the editor tests'
    p.type("aptNameTxt", QStringLiteral("Bergen,"));
    EXPECT_EQ(p.find<QLineEdit>("aptNameTxt")->text(), QStringLiteral("Bergen")) << "the comma is not taken";
    QTest::keyClicks(p.find<QLineEdit>("aptNameTxt"), QStringLiteral(" Flesland"));
    EXPECT_EQ(p.airports().cell(row, AirportTable::Name), "Bergen Flesland");

    auto* hemisphere = p.find<QComboBox>("aptLon1");
    hemisphere->setCurrentIndex(hemisphere->findText(QStringLiteral("S")));
    emit hemisphere->activated(hemisphere->currentIndex());
    p.type("aptLon2", QStringLiteral("33"));
    p.type("aptLon3", QStringLiteral("56.6"));
    EXPECT_EQ(p.airports().cell(row, AirportTable::Latitude), "S33* 56.6'");
    EXPECT_EQ(p.cell("aptLST", 0, 1), QStringLiteral("S33* 56.6'"));
}

TEST(AirportsPage, headerClicksAddAndDelete) {
    Pages p;
    p.open(1);
    QHeaderView* header = p.find<QTreeView>("aptLST")->header();
    // The order of each click is the editor tests'; the list and its header follow the editor.
    emit header->sectionClicked(4);
    emit header->sectionClicked(4);
    EXPECT_EQ(p.cell("aptLST", 0, 4), QStringLiteral("Stockholm-Arlanda Airport"))
        << "twice Airport: descending";
    EXPECT_EQ(header->sortIndicatorSection(), 4);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    p.prompts.expectInput("eggw");
    p.find<QPushButton>("addAPTCmd")->click();
    EXPECT_EQ(p.find<QLineEdit>("aptIcaoTxt")->text(), QStringLiteral("EGGW"));
    EXPECT_GE(p.find<QComboBox>("aptCom")->findText(QStringLiteral("EGGW")), 0) << "the combos know it";
    const int rows = p.airports().rowCount();
    p.prompts.expect("Delete AI Airport", Answer::Yes);
    p.find<QPushButton>("delAPTCmd")->click();
    EXPECT_EQ(p.airports().rowCount(), rows - 1);
    EXPECT_EQ(p.find<QComboBox>("aptCom")->findText(QStringLiteral("EGGW")), -1);
}

TEST(AircraftPage, speedsOfInstalledAircraft) {
    Pages p;
    Session& session = p.window->session();
    ASSERT_EQ(session.db.aircraftTable().findByTitle("Boeing 737-400"), 0);
    session.db.aircraftTable().setCell(0, AircraftTable::Speed, "0440");
    p.open(2);
    EXPECT_EQ(p.cell("fsAirLst", 0), QStringLiteral("Boeing 737-400"));
    EXPECT_TRUE(p.find<QTreeView>("fsAirLst")->isColumnHidden(2));
    EXPECT_EQ(p.find<QLineEdit>("speedTxt")->text(), QStringLiteral("0440"))
        << "the AircraftTable row's speed";
    p.type("speedTxt", QStringLiteral("280"));
    EXPECT_EQ(session.db.aircraftTable().cell(0, AircraftTable::Speed), "280");
    EXPECT_EQ(p.cell("fsAirLst", 0, 1), QStringLiteral("280"));
}

TEST(FilterDialog, percentFilterThroughTheMenu) {
    Pages p;
    Session& session = p.window->session();
    session.db.flightTable().append(
        "AC#1,-,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,ENGM,10:00:00,11:00:00,100,F,2,ESSA,");
    session.db.flightTable().append(
        "AC#1,-,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,KSEA,10:00:00,11:00:00,100,F,2,BGO,");
    MainWindowFixture::whenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("filterFrm"));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Filter - Traffic Percent"));
        auto* value = dialog->findChild<QLineEdit*>(QStringLiteral("dataTxt"));
        auto* run = dialog->findChild<QPushButton*>(QStringLiteral("runCmd"));
        dialog->findChild<QRadioButton*>(QStringLiteral("ICAOOpt"))->click();
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("ICAOTxt")), QStringLiteral("en"));
        QTest::keyClicks(value, QStringLiteral("50"));
        // The bar is back at 0 before "Done editing" is shown; the status bar says what was done.
        auto* bar = dialog->findChild<QProgressBar*>(QStringLiteral("progBar"));
        const std::size_t shown = p.prompts.shown().size();
        std::size_t shownAtReset = 0;
        QObject::connect(bar, &QProgressBar::valueChanged, bar, [&](int v) {
            if (v == 0) shownAtReset = p.prompts.shown().size();
        });
        p.prompts.expect("Corvane");
        run->click();
        EXPECT_EQ(p.prompts.shown().back().text, "Done editing 1 flights!");
        EXPECT_EQ(bar->value(), 0);
        EXPECT_EQ(shownAtReset, shown);
        EXPECT_EQ(p.window->statusBar()->currentMessage(),
                  QStringLiteral("Traffic percent of 1 flight set to 50%"));
        dialog->findChild<QPushButton*>(QStringLiteral("closeCmd"))->click();
    });
    p.trigger("FilterCap1");
    EXPECT_EQ(session.db.flightTable().at(0).substr(0, 10), "AC#1,-,50%");
    EXPECT_EQ(session.db.flightTable().at(1).substr(0, 11), "AC#1,-,100%");
}
