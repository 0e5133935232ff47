#include "platformtest.h"
#include "tempdir.h"
#include "traffic/textfile.h"

#include <filesystem>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

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
    // A lone CR ends a line too (old Mac files), also beside the others and at the very end.
    EXPECT_EQ(Lines("a\rb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Lines("a\r\rb\n\rc\r"), (std::vector<std::string>{"a", "", "b", "", "c"}));
    // Line ends after more than sixteen bytes of a line, and lines of any length around them.
    const std::string longLine(40, 'x');
    EXPECT_EQ(Lines(longLine + "\r" + longLine + "\r\n" + longLine.substr(3) + "\n" + longLine),
              (std::vector<std::string>{longLine, longLine, longLine.substr(3), longLine}));
    EXPECT_EQ(Lines(std::string("x\0y\n", 4)), std::vector<std::string>{std::string("x\0y", 3)});
}

TEST(TextFile, readErrorsNameTheFile) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(ReadFileBytes(dir.file("missing.txt"), &error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos);
    EXPECT_FALSE(ReadFileBytes(dir.path(), &error)) << "a folder is not a file";
    // A named pipe would block a reader forever; it is refused at once. (On Windows: a file another
    // program holds.)
    const std::string fifo = dir.file("pipe.cvp");
    const test::UnreadableFile unreadable(fifo);
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
    EXPECT_EQ(test::NamesIn(dir.path()).size(), 1u) << "no temporary file is left behind";

    ASSERT_TRUE(SaveFileAtomically(target, "new\r\n"));
    EXPECT_EQ(dir.read("project.cvp"), "new\r\n");

    EXPECT_FALSE(SaveFileAtomically(dir.file("no/such/folder/x.cvp"), "x", &error));
    EXPECT_NE(error.find("x.cvp"), std::string::npos);
}

#ifndef _WIN32
namespace {
mode_t ModeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}
} // namespace
#endif

TEST(TextFile, atomicWriteThroughLinksKeepsModes) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need privileges on Windows, and its files have no permission bits";
#else
    TempDir dir;
    // A link is written through, and stays a link.
    dir.write("real/project.cvp", "old\r\n");
    ASSERT_EQ(::symlink("real/project.cvp", dir.file("link.cvp").c_str()), 0);
    ASSERT_TRUE(SaveFileAtomically(dir.file("link.cvp"), "new\r\n"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.cvp")));
    EXPECT_EQ(dir.read("real/project.cvp"), "new\r\n");
    // A dangling link makes the file it names.
    ASSERT_EQ(::symlink("real/later.cvp", dir.file("later.cvp").c_str()), 0);
    ASSERT_TRUE(SaveFileAtomically(dir.file("later.cvp"), "x"));
    EXPECT_EQ(dir.read("real/later.cvp"), "x");
    // A loop of links is an error, not a hang.
    ASSERT_EQ(::symlink("loop2", dir.file("loop1").c_str()), 0);
    ASSERT_EQ(::symlink("loop1", dir.file("loop2").c_str()), 0);
    std::string error;
    EXPECT_FALSE(SaveFileAtomically(dir.file("loop1"), "x", &error));
    EXPECT_NE(error.find("loop1"), std::string::npos);

    // A replaced file keeps its permission bits; a new one is 0644 less the umask.
    const std::string kept = dir.write("kept.cvp", "a");
    ASSERT_EQ(::chmod(kept.c_str(), 0600), 0);
    ASSERT_TRUE(SaveFileAtomically(kept, "b"));
    EXPECT_EQ(ModeOf(kept), 0600u);
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(SaveFileAtomically(dir.file("fresh.cvp"), "c"));
    ::umask(mask);
    EXPECT_EQ(ModeOf(dir.file("fresh.cvp")), 0644u);
#endif
}

TEST(TextFile, atomicWriteOfNamesNearTheLimit) {
    TempDir dir;
    std::string error;
    // Names close to the file system's limit of 255 bytes (on Windows beyond MAX_PATH as a whole).
    for (std::size_t length : {249, 255}) {
        const std::string name = std::string(length - 4, 'n') + ".cvp";
        ASSERT_TRUE(SaveFileAtomically(dir.file(name), "long", &error)) << length << ": " << error;
        EXPECT_EQ(dir.read(name), "long");
    }
}

TEST(TextFile, fileSetReplacesAllOrNothing) {
    TempDir dir;
    const std::string folder = dir.mkdir("set");
    // The decompiler's spellings are replaced under their own names; no second spelling is left.
    dir.write("set/aircraft.txt", "old aircraft");
    dir.write("set/AIRPORTS.TXT", "old airports");
    dir.write("set/FlightPlans.txt", "old flights");
    dir.write("set/flightplans.txt", "a second spelling");
    const std::vector<FileInSet> set{{"Aircraft.txt", "new aircraft"},
                                     {"Airports.txt", "new airports"},
                                     {"FlightPlans.txt", "new flights"}};
    // The new set under the names found, and nothing else in the folder.
    const auto expectNewSet = [&](const char* where, bool withFlights = true) {
        EXPECT_EQ(dir.read("set/aircraft.txt"), "new aircraft") << where;
        EXPECT_EQ(dir.read("set/AIRPORTS.TXT"), "new airports") << where;
        if (withFlights) {
            EXPECT_EQ(dir.read("set/FlightPlans.txt"), "new flights") << where;
        }
        EXPECT_EQ(test::NamesIn(folder).size(), 3u) << where;
    };
    ASSERT_TRUE(ReplaceFileSet(folder, set));
    expectNewSet("replaced");

    // A failure in the last file leaves the whole old set, and no temporary files.
    const std::vector<FileInSet> failing{
        {"Aircraft.txt", "x"}, {"Airports.txt", "y"}, {"FlightPlans.txt", "a long third file"}};
    SetAtomicWriteFailureForTesting(5);
    std::string error;
    EXPECT_FALSE(ReplaceFileSet(folder, failing, &error));
    SetAtomicWriteFailureForTesting(std::nullopt);
    EXPECT_NE(error.find("FlightPlans.txt"), std::string::npos) << error;
    expectNewSet("after a failed write");

    // A folder standing where the last file goes stops the set before any file is replaced.
    std::filesystem::remove(dir.file("set/FlightPlans.txt"));
    dir.mkdir("set/flightplans.TXT");
    EXPECT_FALSE(ReplaceFileSet(folder, set, &error));
    expectNewSet("with a folder in the way", false);

    // Into an empty folder the names are written as given.
    const std::string empty = dir.mkdir("empty");
    ASSERT_TRUE(ReplaceFileSet(empty, set));
    EXPECT_EQ(dir.read("empty/Aircraft.txt"), "new aircraft");
}

TEST(TextFile, aSetLeftHalfRenamedIsCompletedByTheNextReader) {
    TempDir dir;
    const std::string folder = dir.mkdir("set");
    // As a run killed after its first rename leaves the folder: the new aircraft in place, the other
    // two new files under their temporary names, and the note of the renames.
    dir.write("set/Aircraft.txt", "new aircraft");
    dir.write("set/Airports.txt", "old airports");
    dir.write("set/.cvtmp-bbbbbb", "new airports");
    dir.write("set/FlightPlans.txt", "old flights");
    dir.write("set/.cvtmp-cccccc", "new flights");
    std::string note;
    for (const char* pair : {".cvtmp-aaaaaa", "Aircraft.txt", ".cvtmp-bbbbbb", "Airports.txt",
                             ".cvtmp-cccccc", "FlightPlans.txt"}) {
        note += folder + pair;
        note += '\0';
    }
    dir.write("set/.cvset-pending", note);
    CompletePendingFileSet(folder);
    EXPECT_EQ(dir.read("set/Airports.txt"), "new airports");
    EXPECT_EQ(dir.read("set/FlightPlans.txt"), "new flights");
    EXPECT_EQ(dir.read("set/Aircraft.txt"), "new aircraft");
    EXPECT_EQ(test::NamesIn(folder).size(), 3u) << "the note is gone";

    // A note never moves files that are not a set's own temporary files.
    dir.write("set/precious.txt", "keep");
    note = folder + "precious.txt";
    note += '\0';
    note += folder + "Aircraft.txt";
    note += '\0';
    dir.write("set/.cvset-pending", note);
    CompletePendingFileSet(folder);
    EXPECT_EQ(dir.read("set/precious.txt"), "keep");
    EXPECT_EQ(dir.read("set/Aircraft.txt"), "new aircraft");
    CompletePendingFileSet(dir.file("nowhere")); // no folder, no note: nothing happens
}
