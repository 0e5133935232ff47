#include "editors/startup.h"
#include "tempdir.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(Startup, programFolderChecksInOrder) {
    test::TempDir dir;
    auto failure = CheckProgramFolder(dir.path());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->title, "Could not find TCompiler");
    dir.write("TCompiler.exe", "x");
    failure = CheckProgramFolder(dir.path());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->title, "Could not find TDecompiler");
    EXPECT_EQ(failure->text, "Could not find the TrafficTool Decompiler. Please make sure that\r\n"
                             "''TDecompiler.exe'' is located in the same folder as this program!");
    EXPECT_EQ(failure->icon, Icon::Exclamation);
    dir.write("TDECOMPILER.EXE", "x");
    failure = CheckProgramFolder(dir.path());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->title, "Could not find Airport Database");
    dir.write("apt.dat", "x");
    // What a killed compile left in the program folder goes at the next start.
    dir.write(test::LeftOverTempName("aaaaaa"), "partial Aircraft.txt");
    EXPECT_FALSE(CheckProgramFolder(dir.path()));
    EXPECT_EQ(test::NamesIn(dir.path()).size(), 3u);
    EXPECT_TRUE(CheckProgramFolder(dir.file("no-such-folder/"))) << "a folder that cannot be written";
    EXPECT_EQ(CheckProgramFolder(dir.file("no-such-folder/"))->title, "Program folder not writable");
}
