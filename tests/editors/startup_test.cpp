#include "editors/startup.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

#ifndef _WIN32 // Windows folders have no permission bits
TEST(Startup, aProgramFolderThatCannotBeWritten) {
    // A folder with everything in it, read-only to everyone. Root writes into any folder, so the check
    // runs in a child that, as root, first becomes the unprivileged user 65534.
    test::TempDir dir;
    const std::string folder = dir.mkdir("Corvane");
    for (const char* name : {"Corvane/TCompiler.exe", "Corvane/TDecompiler.exe", "Corvane/apt.dat"})
        dir.write(name, "x");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        const auto failure = CheckProgramFolder(folder);
        ::_exit(failure && failure->title == "Program folder not writable" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(folder.c_str(), 0755);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the folder passed as writable; 2: no other user to become";
    EXPECT_FALSE(CheckProgramFolder(folder)) << "the same folder, writable again";
}
#endif
