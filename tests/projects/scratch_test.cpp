#include "environment/scratch.h"
#include "tempdir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace corvane;

TEST(Scratch, cleanTempDataIgnoresCaseAndMissingFiles) {
    test::TempDir dir;
    dir.write("AIRCRAFT.TXT", "x");
    dir.write("airports.txt", "x");
    dir.write("Temp.Dat", "x");
    dir.write("keep.txt", "x");
    dir.write("tempdata/aircraft.txt", "x");
    CleanTempData(dir.path(), false);
    EXPECT_FALSE(std::filesystem::exists(dir.file("AIRCRAFT.TXT")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Temp.Dat")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("keep.txt")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("tempdata/aircraft.txt")));
    CleanTempData(dir.path(), true);
    EXPECT_FALSE(std::filesystem::exists(dir.file("tempdata")));
    CleanTempData(dir.file("nowhere/"), true); // nothing there: nothing happens
}

namespace {

std::tm Minute(int hour, int minute) {
    std::tm when{};
    when.tm_year = 126;
    when.tm_mon = 11;
    when.tm_mday = 5;
    when.tm_hour = hour;
    when.tm_min = minute;
    return when;
}

int EntryCount(const std::string& folder) {
    int count = 0;
    std::error_code ignored;
    for (auto it = std::filesystem::directory_iterator(folder, ignored);
         it != std::filesystem::directory_iterator(); ++it)
        ++count;
    return count;
}

} // namespace

TEST(Scratch, backupNamesAndFolders) {
    EXPECT_EQ(BackupFileName(Minute(21, 7)), "Traffic (05.12.26 - 21.07).bgl");

    test::TempDir dir;
    EXPECT_EQ(BackupTrafficBgl(dir.path()).status, Backup::Status::NothingToBackUp) << "no traffic file";
    dir.write("SceneDB/atc/SCENERY/Traffic.bgl", "bgl");
    EXPECT_EQ(TrafficBglPath(dir.path()), dir.file("SceneDB/atc/SCENERY/Traffic.bgl"));
    EXPECT_EQ(BackupFolderPath(dir.path()), dir.file("SceneDB/atc/SCENERY/Traffic Backup"));
    const Backup backup = BackupTrafficBgl(dir.path(), Minute(21, 7));
    ASSERT_EQ(backup.status, Backup::Status::Made) << backup.error;
    EXPECT_EQ(backup.path, dir.file("SceneDB/atc/SCENERY/Traffic Backup/Traffic (05.12.26 - 21.07).bgl"))
        << "the backup folder is made when missing";
    EXPECT_EQ(dir.read(backup.path.substr(dir.path().size())), "bgl");
}

TEST(Scratch, aBackupIsNeverOverwritten) {
    test::TempDir dir;
    const std::string folder = dir.file("SCENEDB/ATC/Scenery/Traffic Backup/");
    // A partial copy that a killed compile left goes before the next backup.
    dir.write("SCENEDB/ATC/Scenery/Traffic Backup/" + test::LeftOverTempName("aaaaaa"), "partial");
    std::vector<std::string> contents;
    for (const char* content : {"first", "second", "third"}) {
        dir.write("SCENEDB/ATC/Scenery/traffic.bgl", content);
        const Backup backup = BackupTrafficBgl(dir.path(), Minute(9, 30));
        ASSERT_EQ(backup.status, Backup::Status::Made) << backup.error;
        contents.push_back(backup.path.substr(folder.size()));
    }
    EXPECT_EQ(contents, (std::vector<std::string>{"Traffic (05.12.26 - 09.30).bgl",
                                                  "Traffic (05.12.26 - 09.30) (2).bgl",
                                                  "Traffic (05.12.26 - 09.30) (3).bgl"}));
    EXPECT_EQ(dir.read("SCENEDB/ATC/Scenery/Traffic Backup/Traffic (05.12.26 - 09.30).bgl"), "first");
    EXPECT_EQ(dir.read("SCENEDB/ATC/Scenery/Traffic Backup/Traffic (05.12.26 - 09.30) (3).bgl"), "third");
    EXPECT_EQ(EntryCount(folder), 3) << "no temporary file is left";

    // A folder standing at a backup name is not replaced.
    dir.mkdir("SCENEDB/ATC/Scenery/Traffic Backup/Traffic (05.12.26 - 09.45).bgl");
    const Backup beside = BackupTrafficBgl(dir.path(), Minute(9, 45));
    ASSERT_EQ(beside.status, Backup::Status::Made) << beside.error;
    EXPECT_EQ(beside.path, folder + "Traffic (05.12.26 - 09.45) (2).bgl");
    EXPECT_TRUE(std::filesystem::is_directory(folder + "Traffic (05.12.26 - 09.45).bgl"));

#ifndef _WIN32 // symbolic links need privileges on Windows
    // A link standing at a backup name is neither followed nor replaced.
    const std::string victim = dir.write("victim.txt", "do not touch");
    ASSERT_EQ(::symlink(victim.c_str(), (folder + "Traffic (05.12.26 - 10.00).bgl").c_str()), 0);
    const Backup next = BackupTrafficBgl(dir.path(), Minute(10, 0));
    ASSERT_EQ(next.status, Backup::Status::Made) << next.error;
    EXPECT_EQ(next.path, folder + "Traffic (05.12.26 - 10.00) (2).bgl");
    EXPECT_EQ(dir.read("victim.txt"), "do not touch");
    EXPECT_TRUE(std::filesystem::is_symlink(folder + "Traffic (05.12.26 - 10.00).bgl"));
#endif
}

TEST(Scratch, aBackupThatCannotBeMadeIsReported) {
    test::TempDir dir;
    dir.write("SCENEDB/ATC/Scenery/traffic.bgl", "the traffic");
    // A file where the backup folder should be.
    dir.write("SCENEDB/ATC/Scenery/Traffic Backup", "a file");
    Backup backup = BackupTrafficBgl(dir.path(), Minute(8, 0));
    EXPECT_EQ(backup.status, Backup::Status::Failed);
    EXPECT_NE(backup.path.find("Traffic Backup"), std::string::npos);
    EXPECT_FALSE(backup.error.empty());

#ifndef _WIN32 // Windows has no permission bits, nor a limit on the size of the files a process writes
    // A folder that cannot be written (as root every folder can, so the test needs another user).
    std::filesystem::remove(dir.file("SCENEDB/ATC/Scenery/Traffic Backup"));
    const std::string folder = dir.mkdir("SCENEDB/ATC/Scenery/Traffic Backup");
    if (::geteuid() != 0) {
        ::chmod(folder.c_str(), 0500);
        backup = BackupTrafficBgl(dir.path(), Minute(8, 0));
        ::chmod(folder.c_str(), 0700);
        EXPECT_EQ(backup.status, Backup::Status::Failed);
        EXPECT_EQ(EntryCount(folder), 0);
    }

    // A write that fails part way (the file size limit stands in for a full disk) leaves nothing.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string big(64 * 1024, 'x');
        test::TempDir::writeFile(dir.file("SCENEDB/ATC/Scenery/traffic.bgl"), big);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16 * 1024, 16 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const Backup failed = BackupTrafficBgl(dir.path(), Minute(8, 0));
        ::_exit(failed.status == Backup::Status::Failed && EntryCount(folder) == 0 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "a torn copy stayed or was taken for a backup";
#endif
}
