// The Import/Export page and the association dialog, driven through their widgets.

#include "mainwindowfixture.h"

#include <QCheckBox>
#include <QComboBox>
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

struct Page : MainWindowFixture {
    Page() {
        start();
        Session& session = window->session();
        session.db.airportTable().add(
            {"EGLL", "N51* 28.24'", "W0* 27.59'", "83", "Heathrow", "United Kingdom"});
        session.db.flightTable().append(
            "AC#1,G1,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,EGLL,10:00:00,11:00:00,100,F,2,ENGM,");
        session.db.flightTable().append(
            "AC#1,G2,100%,12Hr,IFR,08:00:00,09:00:00,100,F,1,EGLL,10:00:00,11:00:00,100,F,2,ENGM,");
        session.db.flightTable().append(
            "AC#2,N3,100%,24Hr,VFR,08:00:00,09:00:00,100,F,1,ESSA,10:00:00,11:00:00,100,F,2,ENGM,");
        find<QTabBar>("TB")->setCurrentIndex(3);
    }
};

} // namespace

TEST(ImportExportPage, criteriaStartUncheckedAndExport) {
    Page p;
    for (int i = 0; i < 5; ++i) {
        auto* box = p.find<QCheckBox>(("exportChk" + std::to_string(i)).c_str());
        EXPECT_FALSE(box->isChecked());
    }
    EXPECT_EQ(p.find<QCheckBox>("exportChk1")->text(),
              QStringLiteral("All AI flights with a traffic precent"));
    EXPECT_FALSE(p.find<QLineEdit>("exIcaoTxt")->isEnabled());

    p.prompts.expect("Could not export project file"); // the refusals and their order are the unit tests'
    p.find<QPushButton>("exportCmd")->click();

    p.find<QCheckBox>("exportChk0")->click();
    EXPECT_TRUE(p.find<QLineEdit>("exIcaoTxt")->isEnabled());
    QTest::keyClicks(p.find<QLineEdit>("exIcaoTxt"), QStringLiteral("eg"));
    EXPECT_EQ(p.find<QLineEdit>("exIcaoTxt")->text(), QStringLiteral("EG"));
    p.find<QCheckBox>("exportChk4")->click();
    p.choose("exRepeatCom", p.find<QComboBox>("exRepeatCom")->findText(QStringLiteral("24 hours")));
    p.prompts.expectFile(p.dir.file("egll.cvp")).expect("Corvane");
    p.find<QPushButton>("exportCmd")->click(); // what it selects is the export tests'
    EXPECT_NE(p.dir.read("egll.cvp").find("G1,100%,24Hr"), std::string::npos);
    EXPECT_EQ(p.dir.read("egll.cvp").find("G2,"), std::string::npos);

    // Leaving and opening the page again unchecks and clears everything.
    p.find<QTabBar>("TB")->setCurrentIndex(0);
    p.find<QTabBar>("TB")->setCurrentIndex(3);
    EXPECT_FALSE(p.find<QCheckBox>("exportChk0")->isChecked());
    EXPECT_EQ(p.find<QLineEdit>("exIcaoTxt")->text(), QString());
    EXPECT_EQ(p.find<QComboBox>("exRepeatCom")->currentIndex(), -1);
}

TEST(ImportExportPage, thePercentAndRulesControlsReachTheCriteria) {
    Page p;
    p.find<QCheckBox>("exportChk1")->click();
    QTest::keyClicks(p.find<QLineEdit>("exPercentTxt"), QStringLiteral("50"));
    p.prompts.expect("Choose comparison type");
    p.find<QPushButton>("exportCmd")->click();
    p.find<QCheckBox>("exportChk3")->click();
    EXPECT_TRUE(p.find<QRadioButton>("exIFROpt")->isChecked()) << "checking the rules chooses IFR";
}

TEST(ImportExportPage, importWithAWrongPath) {
    Page p;
    p.prompts.expect("Wrong path");
    p.find<QPushButton>("importCmd")->click();
    p.prompts.expectFile(p.dir.file("nothing.cvp"));
    p.find<QPushButton>("importBrowseCmd")->click();
    EXPECT_EQ(p.find<QLineEdit>("importTxt")->text(), QString()) << "a name that is no file is not taken";
    const std::string file = p.dir.write("import.cvp", "// Corvane Project File\r\n");
    p.prompts.expectFile(file);
    p.find<QPushButton>("importBrowseCmd")->click();
    EXPECT_EQ(p.find<QLineEdit>("importTxt")->text(), QString::fromStdString(file));
}

TEST(AssociationDialog, associateAnUnknownAircraft) {
    Page p;
    Session& session = p.window->session();
    session.db.missingAircraftTable().add({"MD-82 Alitalia", "440", "AC#7"});
    session.db.flightTable().append(
        "AC#7,I1,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,EGLL,10:00:00,11:00:00,100,F,2,ENGM,");
    session.db.flightTable().append(
        "ac#7 ,I2,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,EGLL,10:00:00,11:00:00,100,F,2,ENGM,");
    p.find<QTabBar>("TB")->setCurrentIndex(2);
    auto* missing = p.find<QTreeView>("missingAIRLst");
    missing->setCurrentIndex(missing->model()->index(0, 0));

    MainWindowFixture::whenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("assosiateFrm"));
        EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("txtName"))->text(),
                  QStringLiteral("MD-82 Alitalia"));
        auto* candidates = dialog->findChild<QComboBox*>(QStringLiteral("comFSAir"));
        // Which aircraft are offered is the association editor tests'.
        EXPECT_EQ(candidates->currentIndex(), -1);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click(); // no item: nothing happens
        EXPECT_TRUE(dialog->isVisible());
        candidates->setCurrentIndex(candidates->findText(QStringLiteral("Boeing 737-400")));
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    p.find<QPushButton>("linkAirCmd")->click();
    EXPECT_EQ(session.db.missingAircraftTable().rowCount(), 0); // the flights rewritten: the editor tests'
    EXPECT_EQ(p.window->statusBar()->currentMessage(),
              QStringLiteral("'MD-82 Alitalia' associated with 'Boeing 737-400' in 2 flights"));
}

TEST(ImportExportPage, unknownAircraftLeadToTheAircraftPage) {
    Page p;
    const std::string file = p.dir.write("import.cvp", "AC#1,440,\"MD-82 Alitalia\"\r\n"
                                                       "AC#1,I1,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ESSA,"
                                                       "10:00:00,11:00:00,100,F,2,ENGM,\r\n");
    p.tools.expectExit(0, [](const test::FakeToolRunner::Call& call) {
        test::TempDir::writeFile(call.workingFolder + "/aircraft.txt", "AC#1,430,\"Boeing 737-400\"\r\n");
        test::TempDir::writeFile(call.workingFolder + "/airports.txt",
                                 "ENGM,N60* 11.6',E11* 6.0',681,-,-\r\n");
        test::TempDir::writeFile(call.workingFolder + "/flightplans.txt", "");
    });
    QTest::keyClicks(p.find<QLineEdit>("importTxt"), QString::fromStdString(file));
    p.prompts.expect("Save Project", Answer::No).expect("Associate unknown aircraft");
    p.find<QPushButton>("importCmd")->click();
    EXPECT_EQ(p.find<QTabBar>("TB")->currentIndex(), 2) << "the aircraft page is shown";
    EXPECT_EQ(test::ShownTitle(*p.window), QStringLiteral("Corvane - [Traffic.BGL]*"))
        << "merged, not yet compiled";
    EXPECT_EQ(p.find<QTreeView>("missingAIRLst")->model()->rowCount(), 1);
    EXPECT_EQ(
        p.window->statusBar()->currentMessage(),
        QStringLiteral("'import.cvp' merged into the installed traffic: associate its 1 unknown aircraft, "
                       "then compile"));
}

TEST(ImportTimetable, previewCancelsOrImportsAsOneStep) {
    MainWindowFixture f;
    f.dir.write("program/iata.dat", "OSL,ENGM\r\n");
    const std::string csv = f.dir.write("t.csv", "flight,from,to,departure,arrival,days,aircraft\r\n"
                                                 "SK1,OSL,ENBR,08:00,09:00,daily,737\r\n"
                                                 "SK2,ENBR,ENGM,09:30,10:30,daily,737\r\n"
                                                 "SK3,ENBR,XXXX,09:30,10:30,daily,737\r\n");
    f.start();
    Session& session = f.window->session();
    f.find<QTabBar>("TB")->setCurrentIndex(2);
    const int steps = session.db.journal().stepCount();

    // Cancel: the preview showed the plan, and nothing changed.
    f.prompts.expectFile(csv);
    f.whenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("timetableFrm"));
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("countsLbl"))->text(),
                  QStringLiteral("3 rows, 1 rotation, 1 flight; 1 problem, leaving legs out"));
        EXPECT_EQ(dialog->findChild<QTreeView*>(QStringLiteral("problemsLst"))->model()->rowCount(), 1);
        dialog->findChild<QPushButton*>(QStringLiteral("cancelCmd"))->click();
    });
    f.trigger("importTimetableCap");
    EXPECT_EQ(session.db.flightTable().count(), 0);
    EXPECT_EQ(session.db.journal().stepCount(), steps);

    // Options re-plan at once; Import adds the flight as one step and lists its first airport.
    f.prompts.expectFile(csv);
    f.whenModal([&](QWidget* dialog) {
        auto* zone = dialog->findChild<QComboBox*>(QStringLiteral("zoneCom"));
        zone->setCurrentIndex(13);
        emit zone->activated(13);
        // Enter in a field takes its text and leaves the preview open.
        auto* percent = dialog->findChild<QLineEdit*>(QStringLiteral("percentTxt"));
        percent->setFocus();
        percent->selectAll();
        QTest::keyClicks(percent, QStringLiteral("60"));
        QTest::keyClick(percent, Qt::Key_Return);
        ASSERT_TRUE(dialog->isVisible());
        dialog->findChild<QPushButton*>(QStringLiteral("importCmd"))->click();
    });
    f.trigger("importTimetableCap");
    ASSERT_EQ(session.db.flightTable().count(), 1);
    EXPECT_NE(session.db.flightTable().at(0).find(",60%,24Hr,IFR,07:00:00,08:00:00,"), std::string::npos)
        << session.db.flightTable().at(0);
    EXPECT_EQ(session.db.journal().stepCount(), steps + 1);
    EXPECT_EQ(f.find<QTabBar>("TB")->currentIndex(), 0);
    EXPECT_EQ(f.find<QComboBox>("aptCom")->currentText(), QStringLiteral("ENGM"));
    EXPECT_EQ(f.find<QTreeView>("flightsLst")->model()->rowCount(), 1);
    EXPECT_EQ(f.window->statusBar()->currentMessage(),
              QStringLiteral("'t.csv' imported: 1 flight added, 1 problem left legs out"));
    f.trigger("undoCmd");
    EXPECT_EQ(session.db.flightTable().nonEmptyCount(), 0);
}
