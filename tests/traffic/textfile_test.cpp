#include "tempdir.h"
#include "traffic/textfile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace corvane;
using corvane::test::TempDir;

namespace {
std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    LineCursor cursor(bytes);
    std::string_view line;
    while (cursor.next(line)) lines.emplace_back(line);
    return lines;
}
} // namespace

TEST(TextFile, crlfAndBareLf) {
    EXPECT_EQ(Lines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Lines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(Lines(""), std::vector<std::string>{});
    EXPECT_EQ(Lines("\n"), std::vector<std::string>{""});
    // A CR that is not part of a line end stays in the line.
    EXPECT_EQ(Lines("a\rb\r\n"), std::vector<std::string>{"a\rb"});
    EXPECT_EQ(Lines(std::string("x\0y\n", 4)), std::vector<std::string>{std::string("x\0y", 3)});
}

TEST(TextFile, readErrorsNameTheFile) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(ReadFileBytes(dir.file("missing.txt"), &error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos);
    EXPECT_FALSE(ReadFileBytes(dir.path(), &error)) << "a folder is not a file";
    // A named pipe would block a reader forever; it is refused at once.
    const std::string fifo = dir.file("pipe.cvp");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(ReadFileBytes(fifo, &error));
    EXPECT_NE(error.find("pipe.cvp"), std::string::npos);
    const std::string bytes("\xff\x00\r\n\x80", 5);
    dir.write("bin.dat", bytes);
    EXPECT_EQ(ReadFileBytes(dir.file("bin.dat")), bytes);
}

TEST(TextFile, atomicWriteReplacesWholeOrNothing) {
    TempDir dir;
    const std::string target = dir.file("project.cvp");
    ASSERT_TRUE(SaveFileAtomically(target, "old content\r\n"));
    EXPECT_EQ(dir.read("project.cvp"), "old content\r\n");

    SetAtomicWriteFailureForTesting(5);
    std::string error;
    EXPECT_FALSE(SaveFileAtomically(target, "new content that is longer\r\n", &error));
    SetAtomicWriteFailureForTesting(std::nullopt);
    EXPECT_NE(error.find("project.cvp"), std::string::npos);
    EXPECT_EQ(dir.read("project.cvp"), "old content\r\n");
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);

    ASSERT_TRUE(SaveFileAtomically(target, "new\r\n"));
    EXPECT_EQ(dir.read("project.cvp"), "new\r\n");

    EXPECT_FALSE(SaveFileAtomically(dir.file("no/such/folder/x.cvp"), "x", &error));
    EXPECT_NE(error.find("x.cvp"), std::string::npos);
}
