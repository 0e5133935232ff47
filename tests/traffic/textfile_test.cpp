#include "platformtest.h"
#include "scriptedtool.h"
#include "tempdir.h"
#include "traffic/hostfs.h"
#include "traffic/textfile.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
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

namespace {

// A note of pending renames as ReplaceFileSet writes it: pairs of names, each ended by NUL.
std::string Note(const std::vector<std::string>& names) {
    std::string note;
    for (const std::string& name : names) {
        note += name;
        note += '\0';
    }
    return note;
}

} // namespace

TEST(TextFile, aSetLeftHalfRenamedIsCompletedByTheNextReader) {
    TempDir dir;
    const std::string folder = dir.mkdir("set");
    // As a run killed after its first rename leaves the folder: the new aircraft in place, the other
    // two new files under their temporary names, and the note of the renames.
    const std::string airports = test::LeftOverTempName("bbbbbb");
    const std::string flights = test::LeftOverTempName("cccccc");
    dir.write("set/Aircraft.txt", "new aircraft");
    dir.write("set/Airports.txt", "old airports");
    dir.write("set/" + airports, "new airports");
    dir.write("set/FlightPlans.txt", "old flights");
    dir.write("set/" + flights, "new flights");
    dir.write("set/.cvset-pending", Note({test::LeftOverTempName("aaaaaa"), "Aircraft.txt", airports,
                                          "Airports.txt", flights, "FlightPlans.txt"}));
    // A write of another file of the folder leaves the waiting files be: they are not left over.
    ASSERT_TRUE(SaveFileAtomically(dir.file("set/other.cvp"), "x"));
    EXPECT_EQ(test::NamesIn(folder).size(), 7u);
    std::filesystem::remove(dir.file("set/other.cvp"));
    EXPECT_TRUE(CompletePendingFileSet(folder));
    EXPECT_EQ(dir.read("set/Airports.txt"), "new airports");
    EXPECT_EQ(dir.read("set/FlightPlans.txt"), "new flights");
    EXPECT_EQ(dir.read("set/Aircraft.txt"), "new aircraft");
    EXPECT_EQ(test::NamesIn(folder).size(), 3u) << "the note is gone";

    // A rename that keeps failing: the message names the note and says how to clear it.
    dir.write("set/" + flights, "newer flights");
    dir.write("set/.cvset-pending", Note({flights, "FlightPlans.txt"}));
    SetFileSetRenameFailureForTesting(0);
    std::string error;
    EXPECT_FALSE(CompletePendingFileSet(folder, &error));
    SetFileSetRenameFailureForTesting(std::nullopt);
    EXPECT_NE(error.find("''" + folder + ".cvset-pending''"), std::string::npos) << error;
    EXPECT_NE(error.find("delete the note"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::exists(dir.file("set/" + flights))) << "the waiting file is kept";
    std::filesystem::remove(dir.file("set/.cvset-pending"));
    EXPECT_TRUE(CompletePendingFileSet(folder));
    EXPECT_EQ(dir.read("set/FlightPlans.txt"), "new flights");
    EXPECT_EQ(test::NamesIn(folder).size(), 3u) << "without its note, a waiting file is left over";
    EXPECT_TRUE(CompletePendingFileSet(dir.file("nowhere"))); // no folder, no note: nothing happens
}

TEST(TextFile, aNoteNamesNothingOutsideItsFolder) {
    TempDir dir;
    const std::string folder = dir.mkdir("set");
    const std::string outside = dir.write("Aircraft.txt", "outside the set");
    const std::string project = dir.write("project.cvp", "outside the set");
    dir.write("set/Aircraft.txt", "old aircraft");
    dir.write("set/precious.txt", "keep");
    const std::string temp = test::LeftOverTempName("aaaaaa");
    dir.write("set/" + temp, "new aircraft");
    dir.write(temp, "a temporary file outside");
    // Names in another folder, relative or absolute, in the form an earlier version wrote, and names
    // that are no temporary file of ours or no file of a set.
    const std::vector<std::vector<std::string>> notes{{temp, "../Aircraft.txt"},
                                                      {temp, outside},
                                                      {temp, "../project.cvp"},
                                                      {temp, project},
                                                      {"set/" + temp, "set/Aircraft.txt"},
                                                      {folder + temp, folder + "Aircraft.txt"},
                                                      {"../" + temp, "Aircraft.txt"},
                                                      {"precious.txt", "Aircraft.txt"},
                                                      {temp, "precious.txt"},
                                                      {temp}};
    for (const auto& entries : notes) {
        const std::string where = entries.size() > 1 ? entries[0] + " to " + entries[1] : entries[0];
        dir.write("set/.cvset-pending", Note(entries));
        std::string error;
        EXPECT_FALSE(CompletePendingFileSet(folder, &error)) << where;
        EXPECT_NE(error.find("''" + folder + ".cvset-pending''"), std::string::npos) << error;
        EXPECT_NE(error.find(entries.back()), std::string::npos) << error;
        EXPECT_EQ(dir.read("Aircraft.txt") + dir.read("project.cvp"), "outside the setoutside the set")
            << where;
        EXPECT_EQ(dir.read("set/Aircraft.txt"), "old aircraft") << where;
        EXPECT_EQ(dir.read("set/precious.txt"), "keep") << where;
        EXPECT_EQ(dir.read(temp), "a temporary file outside") << where;
        EXPECT_EQ(dir.read("set/.cvset-pending.bad"), Note(entries)) << "set aside, not deleted";
        EXPECT_FALSE(std::filesystem::exists(dir.file("set/.cvset-pending")));
        dir.write("set/" + temp, "new aircraft");
    }
    // Once it is set aside the folder is read as it stands.
    EXPECT_TRUE(CompletePendingFileSet(folder));
    EXPECT_EQ(dir.read("set/Aircraft.txt"), "old aircraft");
}

TEST(TextFile, aSetIsNotedBeforeItIsRenamed) {
    TempDir dir;
    const std::string folder = dir.mkdir("set");
    const std::vector<FileInSet> set{{"Aircraft.txt", "new aircraft"},
                                     {"Airports.txt", "new airports"},
                                     {"FlightPlans.txt", "new flights"}};
    ASSERT_TRUE(
        ReplaceFileSet(folder, {{"Aircraft.txt", "a"}, {"Airports.txt", "b"}, {"FlightPlans.txt", "c"}}));
    // The note cannot be written (its names are longer than the files): nothing is renamed.
    SetAtomicWriteFailureForTesting(20);
    std::string error;
    EXPECT_FALSE(ReplaceFileSet(folder, set, &error));
    SetAtomicWriteFailureForTesting(std::nullopt);
    EXPECT_NE(error.find(".cvset-pending"), std::string::npos) << error;
    EXPECT_EQ(dir.read("set/Aircraft.txt") + dir.read("set/Airports.txt") + dir.read("set/FlightPlans.txt"),
              "abc");
    EXPECT_EQ(test::NamesIn(folder).size(), 3u) << "nothing is left beside the old set";

    // A reader that finishes the set from its note while the writer still runs, before its first rename
    // or between two: the writer's set is in place all the same, and it says so.
    for (std::size_t readerAt : {0u, 1u, 2u}) {
        SetBeforeSetRenameForTesting([&](std::size_t at) {
            if (at == readerAt) CompletePendingFileSet(folder);
        });
        const bool written = ReplaceFileSet(folder, set, &error);
        SetBeforeSetRenameForTesting({});
        EXPECT_TRUE(written) << readerAt << ": " << error;
        EXPECT_EQ(dir.read("set/Aircraft.txt") + dir.read("set/Airports.txt") +
                      dir.read("set/FlightPlans.txt"),
                  "new aircraftnew airportsnew flights");
        EXPECT_EQ(test::NamesIn(folder).size(), 3u) << readerAt;
        ASSERT_TRUE(
            ReplaceFileSet(folder, {{"Aircraft.txt", "a"}, {"Airports.txt", "b"}, {"FlightPlans.txt", "c"}}));
    }

    // A link at a name of the set is replaced; the file it names stays as it was.
#ifndef _WIN32
    const std::string outside = dir.write("outside.txt", "outside");
    std::filesystem::remove(dir.file("set/Airports.txt"));
    ASSERT_EQ(::symlink(outside.c_str(), dir.file("set/Airports.txt").c_str()), 0);
    ASSERT_TRUE(ReplaceFileSet(folder, set, &error)) << error;
    EXPECT_EQ(dir.read("outside.txt"), "outside");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.file("set/Airports.txt")));
    EXPECT_EQ(dir.read("set/Airports.txt"), "new airports");
#endif
}

TEST(TextFile, leftOverTemporaryFilesGo) {
    TempDir dir;
    const std::string folder = dir.mkdir("out");
    // Left by a run that has ended: goes when the folder is next written, or read as a set.
    const std::string leftOver = test::LeftOverTempName("aaaaaa");
    dir.write("out/" + leftOver, "left over");
    // Kept: another system's, an earlier version's (nothing tells whether it is written still), and
    // names that are not quite ours.
    const std::string otherSystem =
        test::LeftOverTempName("bbbbbb").replace(7, 1, 1, hostfs::kProcessMarkSystem == 'p' ? 'w' : 'p');
    const std::vector<std::string> kept{otherSystem, ".cvtmp-abcdef", leftOver + "x", "x" + leftOver};
    for (const std::string& name : kept) dir.write("out/" + name, "kept");
    // Written by a program that still runs.
    const std::string tool =
        test::ScriptedTool(dir, "tool/writer.exe", "temp-in " + folder + "\nsleep 60000\n");
    auto writer = std::make_unique<test::ChildProcess>(tool, std::vector<std::string>{});
    std::vector<std::string> names;
    for (int wait = 0; wait < 600 && names.size() < kept.size() + 2; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        names = test::NamesIn(folder);
    }
    ASSERT_EQ(names.size(), kept.size() + 2) << "the writer left no temporary file";

    ASSERT_TRUE(SaveFileAtomically(dir.file("out/project.cvp"), "saved"));
    std::vector<std::string> expected = kept;
    expected.push_back("project.cvp");
    for (const std::string& name : names)
        if (name != leftOver && std::find(kept.begin(), kept.end(), name) == kept.end())
            expected.push_back(name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::NamesIn(folder), expected) << "only the left-over file went";

    // Once the writer has ended, its file is left over too.
    writer->kill();
    writer->wait();
    writer.reset();
    EXPECT_TRUE(CompletePendingFileSet(folder));
    expected = kept;
    expected.push_back("project.cvp");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::NamesIn(folder), expected);
    dir.write("out/" + leftOver, "left over");
    ASSERT_TRUE(ReplaceFileSet(folder, {{"Aircraft.txt", "a"}}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("out/" + leftOver))) << "a set's writer clears it too";
}
