#include "editors/timetableeditor.h"
#include "platform/progress.h"
#include "projects/session.h"
#include "scriptedprompts.h"
#include "tempdir.h"

#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::ScriptedPrompts;
using corvane::test::TempDir;

TEST(TimetableEditorTest, PreviewOptionsAndImport) {
    TempDir dir;
    dir.write(
        "apt.dat",
        "ENGM,N60* 11.63',E11* 6.02',681,Oslo,Norway\r\nENBR,N60* 17.60',E5* 13.09',170,Bergen,Norway\r\n");
    dir.write("iata.dat", "OSL,ENGM\r\nBGO,ENBR\r\n");
    const std::string csv = dir.write("t.csv", "flight,from,to,departure,arrival,days,aircraft\r\n"
                                               "SK1,OSL,BGO,08:00,09:00,daily,Jet\r\n"
                                               "SK2,BGO,OSL,09:30,10:30,daily,Jet\r\n"
                                               "SK3,BGO,XYZ,09:30,10:30,daily,Jet\r\n");
    ScriptedPrompts prompts;
    NullProgress progress;
    Session session(prompts, progress);
    session.state.programFolder = dir.path();
    session.db.installedAircraftTable().add({"Jet", "400", "400"});

    TimetableEditor editor(session, 10);
    prompts.expectFile(std::nullopt);
    EXPECT_FALSE(editor.open());
    prompts.expectFile(dir.file("apt.dat")).expect("Import Timetable");
    EXPECT_FALSE(editor.open()) << "no timetable";
    EXPECT_NE(prompts.shown().back().text.find("its first line names none of the columns"),
              std::string::npos);

    prompts.expectFile(csv);
    ASSERT_TRUE(editor.open());
    EXPECT_EQ(editor.countsText(), "3 rows, 1 rotation, 1 flight; 1 problem, leaving legs out");
    ASSERT_EQ(editor.rowCount(), 1);
    EXPECT_EQ(editor.cell(0, TimetableEditor::RowColumn), "4");
    EXPECT_EQ(editor.cell(0, TimetableEditor::ProblemColumn), "unknown-airport");
    EXPECT_TRUE(editor.leavesOut(0));

    // Options re-plan at once; values that are not valid are refused and kept.
    editor.chooseZone(14);
    editor.chooseRules(false);
    prompts.expect("Import Timetable");
    EXPECT_FALSE(editor.editPercent("101"));
    EXPECT_TRUE(editor.editPercent(" 60 "));
    prompts.expect("Import Timetable");
    EXPECT_FALSE(editor.editAltitude("35000"));
    prompts.expect("Import Timetable");
    EXPECT_FALSE(editor.editTailPattern("A,B"));
    EXPECT_TRUE(editor.editTailPattern("LN-{n}"));
    EXPECT_EQ(editor.plan().flights[0].rest,
              "LN-1,60%,24Hr,VFR,06:00:00,07:00:00,350,F,SK1,ENBR,07:30:00,08:30:00,350,F,SK2,ENGM,");
    EXPECT_EQ(session.db.flightTable().count(), 0) << "nothing changes before Import";

    ASSERT_TRUE(editor.importPlan());
    EXPECT_EQ(session.db.journal().stepCount(), 1);
    EXPECT_EQ(session.db.flightTable().at(0).substr(0, 10), "AC#1,LN-1,");
    EXPECT_GE(session.db.airportTable().findByIcao("ENBR"), 0);
    EXPECT_EQ(editor.firstAirport(), "ENGM");
    EXPECT_EQ(editor.doneStatus(), "'t.csv' imported: 1 flight added, 1 problem left legs out");
}
