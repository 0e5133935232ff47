#include "platform/textfile.h"
#include "projectfixture.h"
#include "projects/projectcommands.h"
#include "traffic/changejournal.h"

#include <gtest/gtest.h>

using namespace corvane;
using test::ProjectFixture;

TEST(ProjectCommands, anEmptyFlightTableIsNeverSaved) {
    ProjectFixture f;
    f.session.db.airportTable().add({"KSEA", "N0* 0.0'", "W0* 0.0'", "0", "edited", "-"});
    for (SaveMode mode : {SaveMode::Prompt, SaveMode::Save, SaveMode::SaveAs})
        EXPECT_FALSE(SaveProject(f.session, mode)); // nothing asked: the script is empty
    EXPECT_EQ(f.editor.stored, 0);
}

TEST(ProjectCommands, saveWithoutAFileAsksForOne) {
    for (const char* tag : {"new", "fs"}) {
        ProjectFixture f;
        f.session.state.projectTag = tag;
        f.addFlight();
        f.prompts.expectFile(f.dir.file("Europe"));
        ASSERT_TRUE(SaveProject(f.session, SaveMode::Save));
        EXPECT_EQ(f.prompts.fileRequests().at(0).title, "Save Corvane Project as");
        EXPECT_EQ(f.prompts.fileRequests().at(0).filter, "Corvane Project (*.cvp)|*.cvp");
        EXPECT_EQ(f.prompts.fileRequests().at(0).initialName, "");
        EXPECT_EQ(f.session.state.projectTag, f.dir.file("Europe.cvp")) << "the extension is added";
        EXPECT_EQ(ProjectCaption(f.session.state.projectTag), "Corvane - [" + f.dir.file("Europe.cvp") + "]");
        EXPECT_EQ(f.dir.read("Europe.cvp").rfind("// Corvane Project File\r\n", 0), 0u);
        EXPECT_EQ(f.editor.stored, 1);
        EXPECT_EQ(f.editor.reloaded, 1) << "the editor shows the renumbered flight";
    }
}

TEST(ProjectCommands, saveAsProposesTheNameAndAsksBeforeReplacing) {
    ProjectFixture f;
    f.addFlight();
    const std::string europe = f.dir.write("Europe.cvp", "old europe\r\n");
    const std::string other = f.dir.write("Other.cvp", "old other\r\n");
    f.session.state.projectTag = europe;

    f.prompts.expectFile(other).expect("Overwrite existing file", Answer::No);
    EXPECT_FALSE(SaveProject(f.session, SaveMode::SaveAs));
    EXPECT_EQ(f.prompts.fileRequests().at(0).initialName, "Europe");
    EXPECT_EQ(f.prompts.shown().at(0).text,
              other + " does already exist.\r\nDo you want to replace this file?");
    EXPECT_EQ(f.prompts.shown().at(0).defaultAnswer, Answer::No);
    EXPECT_EQ(f.dir.read("Other.cvp"), "old other\r\n");
    EXPECT_EQ(f.session.state.projectTag, europe);

    f.prompts.expectFile(other).expect("Overwrite existing file", Answer::Yes);
    EXPECT_TRUE(SaveProject(f.session, SaveMode::SaveAs));
    EXPECT_EQ(f.session.state.projectTag, other);
    EXPECT_NE(f.dir.read("Other.cvp").find("AC#1,N1,100%"), std::string::npos);

    // Save to the existing file: written in place, no dialog, the tag stays.
    f.session.db.flightTable().append(
        "AC#1,N2,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,09:00:00,09:20:00,100,F,2,KSEA,");
    EXPECT_TRUE(SaveProject(f.session, SaveMode::Save));
    EXPECT_NE(f.dir.read("Other.cvp").find("AC#1,N2,100%"), std::string::npos);
    EXPECT_EQ(f.session.state.projectTag, other);
}

TEST(ProjectCommands, aFailedSaveSaysSoAndKeepsTheProjectUnnamed) {
    // That the old file stays is the writer's test.
    ProjectFixture f;
    f.addFlight();
    f.session.state.projectTag = "new";
    SetAtomicWriteFailureForTesting(3);
    f.prompts.expectFile(f.dir.file("Fresh.cvp")).expect("Error writing file");
    EXPECT_FALSE(SaveProject(f.session, SaveMode::Save));
    SetAtomicWriteFailureForTesting(std::nullopt);
    EXPECT_EQ(f.session.state.projectTag, "new") << "the caption still names the unsaved project";
}

TEST(ProjectCommands, newProjectEvenWhenTheSaveIsCancelled) {
    ProjectFixture f;
    f.addFlight();
    f.session.state.projectTag = "fs";
    f.prompts.expect("Save Project", Answer::Yes).expectFile(std::nullopt);
    NewProject(f.session);
    EXPECT_EQ(f.prompts.shown().at(0).text, "Do you want to save any changes to your current project?");
    EXPECT_EQ(f.prompts.shown().at(0).icon, Icon::Question);
    EXPECT_TRUE(f.session.db.flightTable().isEmpty());
    EXPECT_EQ(f.session.db.airportTable().rowCount(), 2) << "exactly the airports of apt.dat";
    EXPECT_EQ(f.session.db.aircraftTable().rowCount(), 1) << "the installed aircraft";
    EXPECT_EQ(f.session.state.projectTag, "new");
    EXPECT_EQ(ProjectCaption("new"), "Corvane - [New Project]");
    EXPECT_EQ(ProjectCaption("fs"), "Corvane - [Traffic.BGL]");
    EXPECT_EQ(f.editor.shown, 0) << "a new project lists no airport";
}

TEST(ProjectCommands, openProject) {
    ProjectFixture f;
    f.addFlight();
    const std::string path = f.dir.file("Saved.cvp");
    f.prompts.expect("Save Project", Answer::Yes).expectFile(path);
    ASSERT_TRUE(SaveProject(f.session, SaveMode::Prompt));

    // Saved, so nothing is unsaved: Open asks nothing before its dialog.
    f.prompts.expectFile(f.dir.file("nothing.cvp"));
    OpenProject(f.session);
    EXPECT_EQ(f.session.db.flightTable().count(), 1) << "a name that does not exist changes nothing";

    f.session.state.projectTag = "new";
    f.prompts.expectFile(path);
    OpenProject(f.session);
    EXPECT_EQ(f.session.state.projectTag, path);
    EXPECT_EQ(f.prompts.fileRequests().back().title, "Open Corvane Project");
    EXPECT_EQ(f.session.db.flightTable().count(), 1);
    EXPECT_EQ(
        f.session.db.airportTable().cell(f.session.db.airportTable().findByIcao("KSEA"), AirportTable::Name),
        "Seattle");

    // A file that cannot be read (here one that would read as nothing, a project saved in UTF-16; which
    // files cannot be read is the reader's test): said so, and the open project stays as it was.
    f.prompts.expectFile(f.dir.write("wide.cvp", std::string("\xFF\xFE/\0/\0 \0C\0", 10)))
        .expect("Error reading file");
    OpenProject(f.session);
    EXPECT_EQ(f.session.state.projectTag, path);
    EXPECT_EQ(f.session.db.flightTable().count(), 1);
    EXPECT_EQ(f.session.db.airportTable().rowCount(), 2);
}

TEST(ProjectCommands, theSaveQuestionComesOnlyAfterAChangeAndCanCancel) {
    ProjectFixture f;
    f.addFlight();
    const std::string path = f.dir.file("Saved.cvp");
    f.prompts.expectFile(path);
    ASSERT_TRUE(SaveProject(f.session, SaveMode::SaveAs));
    EXPECT_FALSE(HasUnsavedChanges(f.session));
    EXPECT_TRUE(NewProject(f.session)) << "nothing unsaved: no question";
    EXPECT_EQ(f.session.state.projectTag, "new");

    f.prompts.expectFile(path);
    OpenProject(f.session);
    ASSERT_EQ(f.session.state.projectTag, path);
    {
        StepScope step(f.session.db.journal(), "Edit Flight");
        f.session.db.flightTable().replace(0, "AC#1,EDITED,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,"
                                              "09:00:00,09:20:00,100,F,2,KSEA,");
    }
    EXPECT_TRUE(HasUnsavedChanges(f.session));
    // Cancel stops the command: no dialog, the data and the caption stay.
    f.prompts.expect("Save Project", Answer::Cancel);
    EXPECT_FALSE(NewProject(f.session));
    EXPECT_EQ(f.prompts.shown().back().buttons, Buttons::YesNoCancel);
    EXPECT_EQ(f.prompts.shown().back().text, "Do you want to save any changes to your current project?");
    f.prompts.expect("Save Project", Answer::Cancel);
    OpenProject(f.session);
    EXPECT_EQ(f.session.db.flightTable().at(0).substr(0, 12), "AC#1,EDITED,");
    EXPECT_EQ(f.session.state.projectTag, path);

    f.prompts.expect("Save Project", Answer::Yes);
    EXPECT_TRUE(NewProject(f.session)) << "Yes saves to the open file, then goes on";
    EXPECT_NE(f.dir.read("Saved.cvp").find("AC#1,EDITED,"), std::string::npos);
}
