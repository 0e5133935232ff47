#include "platform/textfile.h"
#include "projectfixture.h"
#include "projects/exportproject.h"
#include "tablesnapshot.h"

#include <gtest/gtest.h>

using namespace corvane;
using test::ProjectFixture;

namespace {

struct ExportFixture : ProjectFixture {
    ExportCriteria repeatEvery24;

    ExportFixture() {
        TrafficDatabase& db = session.db;
        db.aircraftTable().add({"AC#7", "430", "Boeing 737-400"});
        db.aircraftTable().add({"AC#3", "280", "Dash 8-400"});
        db.airportTable().add({"KSEA", "N47* 26.88'", "W122* 18.62'", "433", "Seattle", "US"});
        db.airportTable().add({"KBFI", "N47* 31.62'", "W122* 18.00'", "21", "Boeing Field", "US"});
        db.airportTable().add({"EGLL", "N51* 28.65'", "W0* 27.68'", "83", "Heathrow", "UK"});
        db.flightTable().append("AC#7,N1,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,"
                                "09:00:00,09:20:00,100,F,2,KSEA,");
        db.flightTable().append("AC#3,N2,50%,12Hr,IFR,08:00:00,08:20:00,100,F,1,EGLL,"
                                "09:00:00,09:20:00,100,F,2,KSEA,");
        db.flightTable().append("AC#7,N3,100%,24Hr,VFR,08:00:00,08:20:00,100,F,1,KSEA,"
                                "09:00:00,09:20:00,100,F,2,EGLL,");
        CheckCriterion(repeatEvery24, Criterion::Repeat, true);
        repeatEvery24.repeat = "24 hours";
    }
};

const char* const kExpectedExport = "// Corvane Project File\r\n\r\n\r\n"
                                    "// Corvane Aircraft Database\r\n"
                                    "AC#1,430,\"Boeing 737-400\"\r\n\r\n\r\n"
                                    "// Corvane Airport Database\r\n"
                                    "EGLL,N51* 28.65',W0* 27.68',83,Heathrow,UK\r\n"
                                    "KBFI,N47* 31.62',W122* 18.00',21,Boeing Field,US\r\n"
                                    "KSEA,N47* 26.88',W122* 18.62',433,Seattle,US\r\n\r\n\r\n"
                                    "// Corvane Flight Database\r\n"
                                    "AC#1,N1,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,"
                                    "09:00:00,09:20:00,100,F,2,KSEA,\r\n"
                                    "AC#1,N3,100%,24Hr,VFR,08:00:00,08:20:00,100,F,1,KSEA,"
                                    "09:00:00,09:20:00,100,F,2,EGLL,\r\n";

} // namespace

TEST(ExportProject, writesTheSelectionAndLeavesTheProjectAlone) {
    ExportFixture f;
    const test::TablesSnapshot before = test::SnapshotOf(f.session.db);
    const std::string tagBefore = f.session.state.projectTag;
    f.prompts.expectFile(f.dir.file("selection")).expect("Corvane");
    EXPECT_EQ(RunExport(f.session, f.repeatEvery24), ExportOutcome::Exported);

    const FileRequest& request = f.prompts.fileRequests().at(0);
    EXPECT_EQ(request.mode, FileRequest::Mode::Save);
    EXPECT_EQ(request.title, "Export Corvane Project as");
    EXPECT_EQ(request.filter, "Corvane Project (*.cvp)|*.cvp");
    EXPECT_EQ(request.initialName, "");
    EXPECT_EQ(f.dir.read("selection"), kExpectedExport) << "no extension is added";
    const Prompt& done = f.prompts.shown().back();
    EXPECT_EQ(done.text, "Done exporting 2 flights!");
    EXPECT_EQ(done.icon, Icon::Information);

    EXPECT_EQ(test::SnapshotOf(f.session.db), before) << "only the copies are renumbered";
    EXPECT_EQ(f.session.state.projectTag, tagBefore);
    EXPECT_EQ(f.editor.stored + f.editor.reloaded + f.editor.cleared, 0);
    EXPECT_EQ(f.progress.events().front(), "begin:Export Corvane Data");
    EXPECT_EQ(f.progress.depth(), 0);
}

TEST(ExportProject, anEmptySelectionStillWritesTheLayout) {
    ExportFixture f;
    ExportCriteria criteria;
    CheckCriterion(criteria, Criterion::AirportPrefix, true);
    criteria.icaoPrefix = "Z";
    f.prompts.expectFile(f.dir.file("none.cvp")).expect("Corvane");
    EXPECT_EQ(RunExport(f.session, criteria), ExportOutcome::Exported);
    EXPECT_TRUE(f.dir.read("none.cvp").ends_with("// Corvane Flight Database\r\n"));
    EXPECT_EQ(f.prompts.shown().back().text, "Done exporting 0 flights!");
}

TEST(ExportProject, noToReplacingLeavesTheFileAlone) {
    ExportFixture f;
    const std::string path = f.dir.write("old.cvp", "the old export\r\n");
    f.prompts.expectFile(path).expect("Overwrite existing file", Answer::No);
    EXPECT_EQ(RunExport(f.session, f.repeatEvery24), ExportOutcome::Cancelled);
    const Prompt& question = f.prompts.shown().back();
    EXPECT_EQ(question.text, path + " does already exist.\r\nDo you want to replace this file?");
    EXPECT_EQ(question.buttons, Buttons::YesNo);
    EXPECT_EQ(question.defaultAnswer, Answer::No);
    EXPECT_EQ(question.icon, Icon::Exclamation);
    EXPECT_EQ(f.dir.read("old.cvp"), "the old export\r\n");
    EXPECT_TRUE(f.progress.events().empty()) << "nothing was selected";

    f.prompts.expectFile(path).expect("Overwrite existing file", Answer::Yes).expect("Corvane");
    EXPECT_EQ(RunExport(f.session, f.repeatEvery24), ExportOutcome::Exported);
    EXPECT_EQ(f.dir.read("old.cvp"), kExpectedExport);
}

TEST(ExportProject, cancellingTheDialogEndsSilently) {
    ExportFixture f;
    f.prompts.expectFile(std::nullopt);
    EXPECT_EQ(RunExport(f.session, f.repeatEvery24), ExportOutcome::Cancelled);
    f.prompts.expectFile("");
    EXPECT_EQ(RunExport(f.session, f.repeatEvery24), ExportOutcome::Cancelled);
}

TEST(ExportProject, aFailedWriteKeepsTheOldFileAndSaysNoDone) {
    ExportFixture f;
    const std::string path = f.dir.write("keep.cvp", "the old export\r\n");
    SetAtomicWriteFailureForTesting(10);
    f.prompts.expectFile(path).expect("Overwrite existing file", Answer::Yes).expect("Error writing file");
    EXPECT_EQ(RunExport(f.session, f.repeatEvery24), ExportOutcome::Failed);
    SetAtomicWriteFailureForTesting(std::nullopt);
    EXPECT_EQ(f.dir.read("keep.cvp"), "the old export\r\n");
}

TEST(ExportProject, refusalsAndAnEmptyTableWriteNothing) {
    ExportFixture f;
    f.prompts.expect("Could not export project file");
    EXPECT_EQ(RunExport(f.session, ExportCriteria{}), ExportOutcome::Refused);
    EXPECT_EQ(f.prompts.shown().back().icon, Icon::Exclamation);

    f.session.db.flightTable().clear();
    EXPECT_EQ(RunExport(f.session, f.repeatEvery24), ExportOutcome::NothingToDo); // nothing is shown
    EXPECT_TRUE(f.prompts.fileRequests().empty());
}

TEST(ExportProject, unknownAircraftAreReportedAndCounted) {
    ExportFixture f;
    f.session.db.flightTable().append("AC#99,N4,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KSEA,");
    f.prompts.expectFile(f.dir.file("x.cvp")).expect("Error finding aircraft").expect("Corvane");
    EXPECT_EQ(RunExport(f.session, f.repeatEvery24), ExportOutcome::Exported);
    EXPECT_EQ(f.prompts.shown().back().text, "Done exporting 3 flights!")
        << "the count is that of the selection";
    EXPECT_EQ(f.dir.read("x.cvp").find("N4,"), std::string::npos);
    EXPECT_EQ(f.session.db.flightTable().at(3), "AC#99,N4,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KSEA,");
}
