#include "environment/scratch.h"
#include "tempdir.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
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

#ifndef _WIN32
// What body returns ("" for success), run in a child process with mounts of its own: a private mount
// namespace (for a user who is not root, inside a user namespace of its own), so that what body mounts
// is seen by nobody else and goes with the child.
std::string InPrivateMounts(const std::function<std::string()>& body) {
    int pipe[2];
    if (::pipe(pipe) != 0) return "no pipe";
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        std::string result;
        if (::unshare(CLONE_NEWNS) != 0) {
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
                result = std::string("unshare: ") + std::strerror(errno);
            } else {
                // Root inside is the user outside.
                const auto put = [](const char* path, const std::string& text) {
                    const int fd = ::open(path, O_WRONLY);
                    if (fd >= 0 && ::write(fd, text.data(), text.size()) >= 0) ::close(fd);
                };
                put("/proc/self/setgroups", "deny");
                put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
                put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
            }
        }
        if (result.empty() && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            result = std::string("private mounts: ") + std::strerror(errno);
        if (result.empty()) result = body();
        [[maybe_unused]] const auto written = ::write(pipe[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(pipe[1]);
    std::string result;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(n));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) return "the child did not end normally";
    return result;
}
#endif

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
    EXPECT_EQ(backup.error,
              "''" + dir.file("SCENEDB/ATC/Scenery/Traffic Backup") + "'' is a file, not a folder.");
    std::filesystem::remove(dir.file("SCENEDB/ATC/Scenery/Traffic Backup"));

#ifndef _WIN32 // Windows has no permission bits, nor a limit on the size of the files a process writes
    // A link to nothing where the folder should be is said to be one (not "File exists"), and not followed.
    ASSERT_EQ(::symlink(dir.file("gone").c_str(), dir.file("SCENEDB/ATC/Scenery/Traffic Backup").c_str()), 0);
    backup = BackupTrafficBgl(dir.path(), Minute(8, 0));
    EXPECT_EQ(backup.status, Backup::Status::Failed);
    EXPECT_EQ(backup.error, "''" + dir.file("SCENEDB/ATC/Scenery/Traffic Backup") + "'' is a link to ''" +
                                dir.file("gone") + "'', which does not exist.");
    EXPECT_FALSE(std::filesystem::exists(dir.file("gone")));
    std::filesystem::remove(dir.file("SCENEDB/ATC/Scenery/Traffic Backup"));

    // A folder that cannot be written, not even by root: a read-only mount of it.
    const std::string folder = dir.mkdir("SCENEDB/ATC/Scenery/Traffic Backup");
    EXPECT_EQ(InPrivateMounts([&]() -> std::string {
                  if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
                      ::mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) !=
                          0)
                      return std::string("mount: ") + std::strerror(errno);
                  const Backup failed = BackupTrafficBgl(dir.path(), Minute(8, 0));
                  if (failed.status != Backup::Status::Failed) return "a backup was made";
                  if (failed.error != std::strerror(EROFS)) return "reported: " + failed.error;
                  return EntryCount(folder) == 0 ? "" : "something was left";
              }),
              "");

    // No room for the backup's name (the last free entry of the file system taken by the copy): the
    // reason is told, not taken for a name that exists and tried 10,000 times over.
    EXPECT_EQ(InPrivateMounts([&]() -> std::string {
                  const std::string fs = dir.mkdir("tiny");
                  if (::mount("tiny", fs.c_str(), "tmpfs", 0, "size=1m,nr_inodes=64") != 0)
                      return std::string("mount: ") + std::strerror(errno);
                  test::TempDir::writeFile(fs + "SCENEDB/ATC/Scenery/traffic.bgl", "the traffic");
                  const std::string backups = fs + "SCENEDB/ATC/Scenery/Traffic Backup";
                  ::mkdir(backups.c_str(), 0755);
                  std::vector<std::string> filler;
                  for (int i = 0; i < 100; ++i) {
                      filler.push_back(fs + "filler" + std::to_string(i));
                      const int fd = ::open(filler.back().c_str(), O_CREAT | O_WRONLY, 0644);
                      if (fd < 0) break;
                      ::close(fd);
                  }
                  ::unlink(filler.front().c_str());
                  const Backup failed = BackupTrafficBgl(fs, Minute(8, 0));
                  if (failed.status != Backup::Status::Failed) return "a backup was made";
                  if (failed.error != std::strerror(ENOSPC)) return "reported: " + failed.error;
                  return EntryCount(backups) == 0 ? "" : "something was left";
              }),
              "");

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
