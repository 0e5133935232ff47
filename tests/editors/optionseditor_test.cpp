// The time limit of a traffic tool run in the options window.

#include "editors/optionseditor.h"
#include "environment/programstate.h"
#include "environment/tooltimelimit.h"
#include "memoryregistry.h"
#include "scriptedprompts.h"
#include "tempdir.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(ToolTimeLimit, parsedAndStored) {
    EXPECT_EQ(ParseToolTimeLimitMinutes("10"), 10);
    EXPECT_EQ(ParseToolTimeLimitMinutes(" 1 "), 1);
    EXPECT_EQ(ParseToolTimeLimitMinutes("1440"), 1440);
    for (const char* odd : {"", "0", "-1", "1441", "2.5", "5 min", "+5", "0x10", "99999999999"})
        EXPECT_EQ(ParseToolTimeLimitMinutes(odd), std::nullopt) << odd;

    test::MemorySettings settings;
    EXPECT_EQ(ToolTimeLimitSetting(settings), std::chrono::minutes(10)) << "the default";
    settings.setValue("Tool Time Limit Minutes", "0");
    EXPECT_EQ(ToolTimeLimitSetting(settings), std::chrono::minutes(10)) << "no limit is no choice";
    SetToolTimeLimitSetting(settings, 45);
    EXPECT_EQ(settings.value("Tool Time Limit Minutes"), "45");
    EXPECT_EQ(ToolTimeLimitSetting(settings), std::chrono::minutes(45));
}

TEST(OptionsEditor, toolTimeLimit) {
    test::TempDir dir;
    dir.write("FS2002/fs2002.exe", "MZ");
    test::ScriptedPrompts prompts;
    test::MemoryRegistry registry;
    test::MemorySettings settings;
    ProgramState state;
    state.fsFolder = dir.file("FS2002/");
    {
        OptionsEditor editor(state, registry, settings, prompts);
        EXPECT_EQ(editor.toolTimeLimit(), "10") << "the default";
        for (const char* refused : {"", "0", "1441", "ten"}) {
            editor.editToolTimeLimit(refused);
            prompts.expect("Tool time limit");
            EXPECT_FALSE(editor.ok()) << refused;
            EXPECT_EQ(prompts.shown().back().text,
                      "The time limit of a traffic tool must be a whole number of minutes from 1 to 1440.");
        }
        EXPECT_EQ(settings.value("Tool Time Limit Minutes"), "") << "nothing saved";
        editor.editToolTimeLimit(" 20 ");
        EXPECT_TRUE(editor.ok());
        EXPECT_EQ(settings.value("Tool Time Limit Minutes"), "20");
        EXPECT_EQ(settings.value("FS2002 Path"), dir.file("FS2002/")) << "the folder's setting is as it was";
    }
    {
        OptionsEditor editor(state, registry, settings, prompts);
        EXPECT_EQ(editor.toolTimeLimit(), "20");
        editor.editToolTimeLimit("30");
        editor.editPath(dir.file("nowhere/"));
        prompts.expect("Error finding FS2002");
        EXPECT_FALSE(editor.ok());
        EXPECT_EQ(settings.value("Tool Time Limit Minutes"), "20") << "saved only with a valid folder";
    }
}
