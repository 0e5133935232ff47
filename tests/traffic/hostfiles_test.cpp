// The host's file system as the program meets it on each system: names in any script, files that
// other programs hold open or that are read-only, and the small calls beneath the file helpers.

#include "hostpath.h"
#include "platform/hostfs.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "tempdir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::FsPath;
using corvane::test::TempDir;

namespace fs = std::filesystem;

namespace {

// "Πτήσεις 飛行機" and "Πτήση.cvp" as UTF-8: Greek and Japanese letters, outside every ANSI code page
// of Windows but one.
const std::string kFolder =
    "Corvane \xCE\xA0\xCF\x84\xCE\xAE\xCF\x83\xCE\xB5\xCE\xB9\xCF\x82 \xE9\xA3\x9B\xE8\xA1\x8C\xE6\xA9\x9F";
const std::string kProject = "\xCE\xA0\xCF\x84\xCE\xAE\xCF\x83\xCE\xB7.cvp";

} // namespace

TEST(HostFiles, namesInGreekAndJapaneseLetters) {
    TempDir dir;
    const std::string folder = dir.mkdir(kFolder);
    std::string error;
    ASSERT_TRUE(SaveFileAtomically(folder + kProject, "// Corvane Project File\r\n", &error)) << error;
    EXPECT_EQ(ReadFileBytes(folder + kProject), "// Corvane Project File\r\n");
    EXPECT_EQ(test::NamesIn(folder), std::vector<std::string>{kProject}) << "one name, held as it was given";
    ASSERT_TRUE(SaveFileAtomically(folder + kProject, "again", &error)) << error;
    EXPECT_EQ(dir.read(kFolder + "/" + kProject), "again");
    EXPECT_EQ(test::NamesIn(folder), std::vector<std::string>{kProject}) << "no temporary file is left";

    // The three databases as a set, found again in another spelling of their ASCII letters.
    ASSERT_TRUE(ReplaceFileSet(
        folder, {{"Aircraft.txt", "a"}, {"Airports.txt", "b"}, {"FlightPlans.txt", "c"}}, &error))
        << error;
    EXPECT_EQ(FindPath(folder + "AIRCRAFT.TXT"), folder + "Aircraft.txt");
    EXPECT_TRUE(PathExists(dir.path() + kFolder, false));
    EXPECT_EQ(hostfs::KindOf(folder + kProject), hostfs::Kind::File);
}

TEST(HostFiles, aSaveOverAFileAnotherProgramHoldsOpen) {
    TempDir dir;
    const std::string target = dir.write("project.cvp", "old\r\n");
    std::string error;
    {
        // Held as a program that reads it with the C runtime holds it.
        std::ifstream reader(FsPath(target), std::ios::binary);
        ASSERT_TRUE(reader.is_open());
#ifdef _WIN32
        // Windows cannot replace a file while it is open without its deletion shared: the save is
        // refused with a message naming the file and the reason, and the file stays as it was.
        EXPECT_FALSE(SaveFileAtomically(target, "new\r\n", &error));
        EXPECT_NE(error.find("''" + target + "''"), std::string::npos) << error;
        EXPECT_NE(error.find("in use by another program"), std::string::npos) << error;
        EXPECT_EQ(dir.read("project.cvp"), "old\r\n");
        EXPECT_EQ(test::NamesIn(dir.path()), std::vector<std::string>{"project.cvp"})
            << "no temporary file is left";
#else
        // A POSIX system replaces the name; the reader keeps reading the old content.
        ASSERT_TRUE(SaveFileAtomically(target, "new\r\n", &error)) << error;
        std::string before;
        std::getline(reader, before);
        EXPECT_EQ(before, "old\r");
#endif
    }
    // Once it is closed, the save goes through.
    ASSERT_TRUE(SaveFileAtomically(target, "newer\r\n", &error)) << error;
    EXPECT_EQ(dir.read("project.cvp"), "newer\r\n");
}

TEST(HostFiles, aSaveOverAReadOnlyFile) {
    TempDir dir;
    const std::string target = dir.write("project.cvp", "old\r\n");
    fs::permissions(FsPath(target), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::string error;
#ifdef _WIN32
    // The read-only attribute is the user's word that the file must not change: the save is refused,
    // the file stays as it was, and nothing is left beside it.
    EXPECT_FALSE(SaveFileAtomically(target, "new\r\n", &error));
    EXPECT_NE(error.find("''" + target + "''"), std::string::npos) << error;
    EXPECT_EQ(dir.read("project.cvp"), "old\r\n");
    EXPECT_EQ(test::NamesIn(dir.path()), std::vector<std::string>{"project.cvp"});
    EXPECT_FALSE(ReplaceFileSet(dir.path(), {{"project.cvp", "new"}}, &error)) << "nor as part of a set";
    EXPECT_EQ(dir.read("project.cvp"), "old\r\n");
#else
    // The folder decides on a POSIX system: the file is replaced and stays read-only.
    ASSERT_TRUE(SaveFileAtomically(target, "new\r\n", &error)) << error;
    EXPECT_EQ(dir.read("project.cvp"), "new\r\n");
    EXPECT_EQ(fs::status(FsPath(target)).permissions() & fs::perms::owner_write, fs::perms::none);
#endif
    fs::permissions(FsPath(target), fs::perms::owner_write, fs::perm_options::add);
}

TEST(HostFiles, theCallsBeneathTheFileHelpers) {
    TempDir dir;
    // Folders made with their parents, and removed with everything in them.
    const std::string deep = dir.path() + "a/b/c";
    ASSERT_TRUE(hostfs::MakeFolders(deep));
    EXPECT_TRUE(hostfs::MakeFolders(deep)) << "a folder that is there is no failure";
    dir.write("a/b/c/file.txt", "x");
    int error = 0;
    EXPECT_FALSE(hostfs::MakeFolders(dir.path() + "a/b/c/file.txt/d", &error));
    EXPECT_NE(error, 0);
    hostfs::RemoveTree(dir.path() + "a");
    EXPECT_EQ(hostfs::KindOf(dir.path() + "a"), hostfs::Kind::Missing);

    // A name that is taken is never replaced by RenameNoReplace.
    dir.write("from", "new");
    dir.write("to", "old");
    EXPECT_FALSE(hostfs::RenameNoReplace(dir.path() + "from", dir.path() + "to", &error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(dir.read("to"), "old");
    ASSERT_TRUE(hostfs::RenameNoReplace(dir.path() + "from", dir.path() + "free", &error));
    EXPECT_EQ(dir.read("free"), "new");
    EXPECT_EQ(hostfs::KindOf(dir.path() + "from"), hostfs::Kind::Missing);

    // A rebuilt file has a new stamp; the same file read again the same one.
    const hostfs::FileStamp first = hostfs::StampOf(dir.path() + "to");
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(hostfs::StampOf(dir.path() + "to"), first);
    ASSERT_TRUE(SaveFileAtomically(dir.path() + "to", "rebuilt"));
    EXPECT_NE(hostfs::StampOf(dir.path() + "to"), first);
    EXPECT_FALSE(hostfs::StampOf(dir.path() + "missing").exists);

    // The program's own file, and paths made absolute against the current folder.
    EXPECT_EQ(hostfs::KindOf(hostfs::RunningProgramPath()), hostfs::Kind::File);
    const std::string current = hostfs::CurrentFolder();
    EXPECT_EQ(hostfs::AbsolutePath("x.cvp"), WithSeparator(current) + "x.cvp");
    EXPECT_EQ(hostfs::AbsolutePath(dir.path() + "x.cvp"), dir.path() + "x.cvp");
}

TEST(HostFiles, namesAsTheSystemSpellsThem) {
#ifdef _WIN32
    // Windows takes both separators and compares names as its file systems do, beyond ASCII too.
    EXPECT_EQ(hostfs::HostPath("C:\\FS2002\\Aircraft\\"), "C:/FS2002/Aircraft/");
    EXPECT_TRUE(hostfs::SameName("\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89")); // "Été", "éTÉ"
    TempDir dir;
    dir.write("SceneDB/Traffic.BGL", "x");
    EXPECT_EQ(hostfs::AsStored(dir.path() + "scenedb/traffic.bgl"), dir.path() + "SceneDB/Traffic.BGL");

    // A name Windows would not hold as it is spelled is refused before anything is written: it would
    // drop a dot or a blank at the end, and take a colon for a stream of another file.
    std::string error;
    for (const char* name : {"out.cvp.", "out.cvp ", "a:b.cvp", "dots./out.cvp", "what?.cvp"}) {
        EXPECT_FALSE(SaveFileAtomically(dir.path() + name, "x", &error)) << name;
        EXPECT_NE(error.find("''" + dir.path() + name + "''\r\nWindows does not take this name"),
                  std::string::npos)
            << error;
    }
    int code = 0;
    EXPECT_FALSE(hostfs::MakeFolders(dir.path() + "folder.", &code));
    EXPECT_EQ(code, hostfs::kNameNotHeld);
    EXPECT_FALSE(ReplaceFileSet(dir.path() + "SceneDB ", {{"Aircraft.txt", "a"}}, &error));
    EXPECT_EQ(test::NamesIn(dir.path()), std::vector<std::string>{"SceneDB"});
    EXPECT_EQ(test::NamesIn(dir.path() + "SceneDB"), std::vector<std::string>{"Traffic.BGL"});
    ASSERT_TRUE(SaveFileAtomically(dir.path() + "SceneDB/../fine.cvp", "x", &error)) << error;
    EXPECT_EQ(dir.read("fine.cvp"), "x");
#else
    // A backslash is a character of a name on a POSIX system; only A to Z fold.
    EXPECT_EQ(hostfs::HostPath("a\\b"), "a\\b");
    EXPECT_TRUE(hostfs::SameName("TCompiler.EXE", "tcompiler.exe"));
    EXPECT_FALSE(hostfs::SameName("\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(hostfs::AsStored("/any/Spelling"), "/any/Spelling");
#endif
    EXPECT_FALSE(hostfs::SameName("aircraft.txt", "aircraft.tx"));
}
