// The options editor without its widgets: the simulator folder, the time limit of a tool run and the
// turnaround minimum of the traffic check.

#include "checks/turnaround.h"
#include "editors/optionseditor.h"
#include "environment/programstate.h"
#include "environment/tooltimelimit.h"
#include "memoryregistry.h"
#include "platform/registry.h"
#include "platform/settingsstore.h"
#include "scriptedprompts.h"
#include "tempdir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

using namespace corvane;

namespace {

struct Options {
    test::TempDir dir;
    test::MemoryRegistry registry;
    test::MemorySettings settings;
    test::ScriptedPrompts prompts;
    ProgramState state;
    std::string simulator = dir.file("FS2002/");

    Options() {
        dir.write("FS2002/fs2002.exe", "MZ");
        state.fsFolder = simulator;
    }
    OptionsEditor open() { return OptionsEditor(state, registry, settings, prompts); }
};

} // namespace

TEST(OptionsEditor, browseTakesTheFolderOfTheChosenProgram) {
    Options o;
    OptionsEditor editor = o.open();
    EXPECT_EQ(editor.path(), o.simulator) << "pathTxt starts with FSFolder";

    o.prompts.expectFile(std::nullopt).expectFile("");
    editor.browse();
    editor.browse();
    EXPECT_EQ(editor.path(), o.simulator) << "a cancelled dialog changes nothing";
    ASSERT_EQ(o.prompts.fileRequests().size(), 2u);
    const FileRequest& request = o.prompts.fileRequests().at(0);
    EXPECT_EQ(request.mode, FileRequest::Mode::Open);
    EXPECT_EQ(request.title, "Find FS2002 main folder");
    EXPECT_EQ(request.filter, "Flight Simulator 2002 (fs2002.exe) | fs2002.exe");
    EXPECT_EQ(request.initialName, "");

    o.prompts.expectFile(o.dir.file("Other/FS2002.EXE"));
    editor.browse();
    EXPECT_EQ(editor.path(), o.dir.file("Other/")) << "the file name is cut back to its folder";
    EXPECT_EQ(o.state.fsFolder, o.simulator) << "nothing is taken before OK";
    EXPECT_EQ(o.settings.writeCount(), 0);
}

TEST(OptionsEditor, okAcceptsOnlyASimulatorFolder) {
    Options o;
    OptionsEditor editor = o.open();
    o.dir.mkdir("Empty");
    editor.editPath(o.dir.file("Empty"));
    o.prompts.expect("Error finding FS2002");
    EXPECT_FALSE(editor.ok()) << "the window stays open";
    ASSERT_EQ(o.prompts.shown().size(), 1u);
    EXPECT_EQ(o.prompts.shown().back().text, "Please enter the correct Flight Simulator 2002 path!");
    EXPECT_EQ(o.prompts.shown().back().icon, Icon::Exclamation);
    EXPECT_EQ(o.state.fsFolder, o.simulator);
    EXPECT_EQ(o.settings.writeCount(), 0);

    o.dir.write("Second/fs2002.exe", "MZ");
    editor.editPath(o.dir.file("Second"));
    EXPECT_TRUE(editor.ok());
    EXPECT_EQ(o.state.fsFolder, o.dir.file("Second/")) << "taken with a separator at its end";
    EXPECT_EQ(o.settings.value(kFsPathSetting), o.dir.file("Second/"));
    EXPECT_EQ(GetRegString(o.registry, kLocalMachine, kSimulatorKey, kExePathValue), o.dir.file("Second"))
        << "a registry value naming no simulator is repaired";
}

TEST(OptionsEditor, closingWithoutAValidFolderAsksWhetherToQuit) {
    Options o;
    OptionsEditor editor = o.open();
    editor.editPath(o.dir.file("nowhere"));
    EXPECT_EQ(editor.requestClose(), OptionsEditor::Close::Allow)
        << "the program-wide folder is valid, whatever the box holds: no question";
    EXPECT_EQ(o.settings.value(kFsPathSetting), o.simulator) << "and it is saved again";

    std::filesystem::remove(o.dir.file("FS2002/fs2002.exe"));
    o.prompts.expect("FS2002 path needed", Answer::No);
    EXPECT_EQ(editor.requestClose(), OptionsEditor::Close::Refuse);
    ASSERT_EQ(o.prompts.shown().size(), 1u);
    const Prompt& asked = o.prompts.shown().back();
    EXPECT_EQ(asked.text,
              "The FS2002 main folder path is required by Corvane.\r\n\r\nDo you want to quit anyway?");
    EXPECT_EQ(asked.icon, Icon::Exclamation);
    EXPECT_EQ(asked.buttons, Buttons::YesNo);
    EXPECT_EQ(asked.defaultAnswer, Answer::No);
    o.prompts.expect("FS2002 path needed", Answer::Yes);
    EXPECT_EQ(editor.requestClose(), OptionsEditor::Close::Quit);
}

// The two settings in minutes: the turnaround minimum may be 0, a tool's time limit may not.
TEST(MinuteSettings, parsedAndStored) {
    EXPECT_EQ(kTurnaroundMinutes.parse(" 0 "), 0);
    EXPECT_EQ(kTurnaroundMinutes.parse("1440"), 1440);
    EXPECT_EQ(kToolTimeLimitMinutes.parse(" 1 "), 1);
    EXPECT_EQ(kToolTimeLimitMinutes.rangeText(), "a whole number of minutes from 1 to 1440");
    for (const char* odd : {"", " ", "0", "-1", "1441", "2.5", "5 min", "ten", "+5", "0x10", "99999999999"})
        EXPECT_EQ(kToolTimeLimitMinutes.parse(odd), std::nullopt) << odd;

    test::MemorySettings settings;
    EXPECT_EQ(kTurnaroundMinutes.read(settings), 10) << "the default";
    EXPECT_EQ(kToolTimeLimitMinutes.read(settings), 10) << "the default";
    kTurnaroundMinutes.write(settings, 25);
    EXPECT_EQ(settings.value("Turnaround Minutes"), "25");
    EXPECT_EQ(kTurnaroundMinutes.read(settings), 25);
    settings.setValue("Tool Time Limit Minutes", "0");
    EXPECT_EQ(kToolTimeLimitMinutes.read(settings), 10) << "no limit is no choice";
    settings.setValue("Turnaround Minutes", "soon");
    EXPECT_EQ(kTurnaroundMinutes.read(settings), 10) << "an unreadable value gives the default";
}

// The two settings in minutes: refused out of range with their own message, saved with OK and read
// again when the window opens.
TEST(OptionsEditor, minuteSettings) {
    struct MinuteSetting {
        const std::string& (OptionsEditor::*value)() const;
        void (OptionsEditor::*edit)(const std::string&);
        const char* key;
        const char* title;
        const char* text;
        std::vector<const char*> refused;
    };
    const MinuteSetting settingsInMinutes[] = {
        {&OptionsEditor::toolTimeLimit,
         &OptionsEditor::editToolTimeLimit,
         "Tool Time Limit Minutes",
         "Tool time limit",
         "The time limit of a traffic tool must be a whole number of minutes from 1 to 1440.",
         {"", "0", "1441", "ten"}},
        {&OptionsEditor::turnaround,
         &OptionsEditor::editTurnaround,
         "Turnaround Minutes",
         "Turnaround minimum",
         "The turnaround minimum must be a whole number of minutes from 0 to 1440.",
         {"", "-5", "1441", "ten", "12.5"}},
    };
    for (const MinuteSetting& minutes : settingsInMinutes) {
        SCOPED_TRACE(minutes.key);
        Options o;
        OptionsEditor editor = o.open();
        EXPECT_EQ((editor.*minutes.value)(), "10") << "the default";
        for (const char* refused : minutes.refused) {
            (editor.*minutes.edit)(refused);
            o.prompts.expect(minutes.title);
            EXPECT_FALSE(editor.ok()) << refused;
            EXPECT_EQ(o.prompts.shown().back().text, minutes.text);
        }
        EXPECT_EQ(o.settings.writeCount(), 0) << "nothing saved";
        (editor.*minutes.edit)(" 20 ");
        EXPECT_TRUE(editor.ok());
        EXPECT_EQ(o.settings.value(minutes.key), "20");
        const OptionsEditor again = o.open();
        EXPECT_EQ((again.*minutes.value)(), "20");
    }
}
