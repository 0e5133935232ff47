#include "environment/scratch.h"

#include "traffic/paths.h"
#include "traffic/text.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <system_error>

namespace corvane {

namespace fs = std::filesystem;

namespace {

// Every entry of folder whose name equals name without regard to case.
void RemoveMatching(const fs::path& folder, std::string_view name, bool recursive) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!EqualsIgnoringCase(it->path().filename().string(), name)) continue;
        std::error_code ignored;
        if (recursive)
            fs::remove_all(it->path(), ignored);
        else if (!it->is_directory(ignored))
            fs::remove(it->path(), ignored);
    }
}

// base joined with relative, each component found without regard to case as far as it exists.
std::string JoinFound(const std::string& base, const std::string& relative) {
    const std::string wanted = WithSeparator(base) + relative;
    if (const auto found = FindPath(wanted)) return *found;
    // Resolve the longest existing head, keep the rest as written.
    std::string head = wanted;
    std::string tail;
    while (!head.empty()) {
        const auto slash = head.find_last_of(kSeparator, head.size() - 2);
        if (slash == std::string::npos) break;
        tail = head.substr(slash + 1) + tail;
        head = head.substr(0, slash + 1);
        if (const auto found = FindPath(head)) return WithSeparator(*found) + tail;
    }
    return wanted;
}

} // namespace

void CleanTempData(const std::string& programFolder, bool removeFolder) {
    for (const char* name : {"FlightPlans.txt", "Aircraft.txt", "Airports.txt", "temp.dat"})
        RemoveMatching(programFolder, name, false);
    if (removeFolder) RemoveMatching(programFolder, kTempDataFolder, true);
}

void MakeTempDataFolder(const std::string& programFolder) {
    MakeFolder(WithSeparator(programFolder) + kTempDataFolder);
}

void MakeFolder(const std::string& path) {
    std::error_code ignored;
    fs::create_directories(path, ignored);
}

std::string TrafficBglPath(const std::string& fsFolder) {
    return JoinFound(fsFolder, std::string(kSceneryFolder) + "/" + kTrafficFile);
}

std::string BackupFolderPath(const std::string& fsFolder) {
    return JoinFound(fsFolder, std::string(kSceneryFolder) + "/" + kBackupFolder);
}

std::string BackupFileName(const std::tm& when) {
    std::array<char, 64> text{};
    std::strftime(text.data(), text.size(), "Traffic (%d.%m.%y - %H.%M).bgl", &when);
    return text.data();
}

namespace {

Backup Failed(std::string path, std::string reason) {
    return {Backup::Status::Failed, std::move(path), std::move(reason)};
}

std::string Reason(int code) {
    return std::strerror(code);
}

// The name for the n-th backup of a minute: "Traffic (...).bgl", then "Traffic (...) (2).bgl", ...
std::string NumberedName(const std::string& name, int n) {
    if (n == 1) return name;
    return name.substr(0, name.size() - 4) + " (" + std::to_string(n) + ").bgl";
}

// Gives the complete temporary copy the first free name of the minute, never replacing an entry
// that exists (a link there is not followed). Returns the name, or nullopt with code set.
std::optional<std::string> ClaimName(const std::string& temp, const std::string& folder, const std::string& name,
                                     int* code) {
    for (int n = 1; n <= 10000; ++n) {
        const std::string target = folder + NumberedName(name, n);
        if (::link(temp.c_str(), target.c_str()) == 0) return target;
        if (errno == EEXIST) continue;
        // File systems without hard links: rename, but only onto a name that is free.
        if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != ENOSYS) {
            *code = errno;
            return std::nullopt;
        }
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return target;
        if (errno == EEXIST) continue;
        if (errno != EINVAL && errno != ENOSYS) {
            *code = errno;
            return std::nullopt;
        }
        struct stat info {};
        if (::lstat(target.c_str(), &info) == 0) continue;
        if (::rename(temp.c_str(), target.c_str()) == 0) return target;
        *code = errno;
        return std::nullopt;
    }
    *code = EEXIST;
    return std::nullopt;
}

// Copies the open file source of the given size into fd; false with code set.
bool CopyInto(int source, int fd, off_t size, int* code) {
    char buffer[1 << 16];
    off_t copied = 0;
    for (;;) {
        const ssize_t n = ::read(source, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            *code = errno;
            return false;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(fd, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR) continue;
                *code = errno;
                return false;
            }
            done += w;
        }
        copied += n;
    }
    if (::fsync(fd) != 0) {
        *code = errno;
        return false;
    }
    struct stat written {};
    if (::fstat(fd, &written) != 0 || written.st_size != size || copied != size) {
        *code = EIO; // the copy is not the size of the traffic file
        return false;
    }
    return true;
}

} // namespace

Backup BackupTrafficBgl(const std::string& fsFolder, const std::tm& when) {
    const std::string sourcePath = TrafficBglPath(fsFolder);
    const std::string folder = WithSeparator(BackupFolderPath(fsFolder));
    const std::string wanted = folder + BackupFileName(when);

    const int source = ::open(sourcePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (source < 0) {
        if (errno == ENOENT) return {};
        return Failed(wanted, "Could not read ''" + sourcePath + "'': " + Reason(errno));
    }
    struct stat info {};
    if (::fstat(source, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(source);
        return Failed(wanted, "''" + sourcePath + "'' is not a file.");
    }
    ::fcntl(source, F_SETFL, ::fcntl(source, F_GETFL) & ~O_NONBLOCK);

    std::error_code created;
    fs::create_directories(folder, created);
    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode)) {
        ::close(source);
        const std::string reason = created ? created.message() : Reason(ENOTDIR);
        return Failed(wanted, "The folder ''" + folder + "'' could not be made: " + reason);
    }

    std::string temp = folder + ".cvtmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        const int code = errno;
        ::close(source);
        return Failed(wanted, Reason(code));
    }
    int code = 0;
    const bool copied = CopyInto(source, fd, info.st_size, &code);
    ::close(source);
    if (::close(fd) != 0 && copied) code = errno;
    std::optional<std::string> claimed;
    if (copied && code == 0) claimed = ClaimName(temp, folder, BackupFileName(when), &code);
    ::unlink(temp.c_str());
    if (!claimed) return Failed(wanted, Reason(code));
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {Backup::Status::Made, *claimed, {}};
}

Backup BackupTrafficBgl(const std::string& fsFolder) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return BackupTrafficBgl(fsFolder, local);
}

} // namespace corvane
