// The host's file system on POSIX systems (Linux).

#include "platform/hostfs.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace corvane::hostfs {

const std::size_t kMaxPath = PATH_MAX;

namespace {

void SetError(int* error, int code) {
    if (error) *error = code;
}

} // namespace

Kind KindOf(const std::string& path, bool followLinks, int* error) {
    struct stat info {};
    const int result = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    if (result != 0) {
        SetError(error, errno);
        return Kind::Missing;
    }
    if (S_ISREG(info.st_mode)) return Kind::File;
    if (S_ISDIR(info.st_mode)) return Kind::Folder;
    if (S_ISLNK(info.st_mode)) return Kind::Link;
    return Kind::Other;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

namespace {

// Opened without blocking, so that a named pipe or a device in place of a file cannot hang the
// program; only regular files are read. Returns the descriptor and the file's size, or -1.
int OpenRegular(const std::string& path, std::uint64_t* size, int* error, bool* opened) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, errno);
        return -1;
    }
    if (opened) *opened = true;
    struct stat info {};
    const bool statFailed = ::fstat(fd, &info) != 0;
    if (statFailed || !S_ISREG(info.st_mode)) {
        SetError(error, statFailed ? errno : S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    *size = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    return fd;
}

// Reads up to count bytes (all there are when count is npos) into bytes.
bool ReadUpTo(int fd, std::size_t count, std::string& bytes, int* error) {
    char buffer[1 << 16];
    while (bytes.size() < count) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            SetError(error, errno);
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count, std::uint64_t* size,
                                         int* error, bool* opened) {
    const int fd = OpenRegular(path, size, error, opened);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(count, *size)));
    const bool read = ReadUpTo(fd, count, bytes, error);
    ::close(fd);
    if (!read) return std::nullopt;
    return bytes;
}

std::optional<std::string> LinkTarget(const std::string& path, int* error) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        SetError(error, errno);
        return std::nullopt;
    }
    std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) {
            SetError(error, errno);
            return std::nullopt;
        }
        if (static_cast<std::size_t>(n) < target.size()) {
            target.resize(static_cast<std::size_t>(n));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

bool NewFile::create(const std::string& pattern, const std::string& like, int* error) {
    discard();
    std::string path = pattern;
    const int fd = ::mkstemp(path.data());
    if (fd < 0) {
        SetError(error, errno);
        return false;
    }
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    m_path = std::move(path);
    m_handle = fd;
    struct stat old {};
    mode_t mode = 0644;
    if (::stat(like.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);
    return true;
}

bool NewFile::write(std::string_view bytes, int* error) {
    while (!bytes.empty()) {
        const ssize_t n =
            ::write(static_cast<int>(m_handle), bytes.data(), std::min<std::size_t>(bytes.size(), 1 << 20));
        if (n < 0) {
            if (errno == EINTR) continue;
            SetError(error, errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool NewFile::finish(int* error) {
    if (::fsync(static_cast<int>(m_handle)) != 0) {
        SetError(error, errno);
        return false;
    }
    const int closed = ::close(static_cast<int>(m_handle));
    m_handle = -1;
    if (closed != 0) {
        SetError(error, errno);
        return false;
    }
    return true;
}

void NewFile::discard() {
    if (m_handle >= 0) ::close(static_cast<int>(m_handle));
    m_handle = -1;
    if (!m_path.empty()) ::unlink(m_path.c_str());
    m_path.clear();
}

bool RenameOver(const std::string& from, const std::string& to, int* error) {
    if (::rename(from.c_str(), to.c_str()) == 0) return true;
    SetError(error, errno);
    return false;
}

bool Replaceable(const std::string&, int*) {
    return true;
}

bool RenameNoReplace(const std::string& from, const std::string& to, int* error) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    // File systems without hard links: rename, but only onto a name that is free.
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != ENOSYS) {
        SetError(error, errno);
        return false;
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) {
        SetError(error, errno);
        return false;
    }
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
        SetError(error, EEXIST);
        return false;
    }
    if (::rename(from.c_str(), to.c_str()) == 0) return true;
    SetError(error, errno);
    return false;
}

void RemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

bool MakeFolder(const std::string& path, int* error) {
    if (::mkdir(path.c_str(), 0777) == 0) return true;
    SetError(error, errno);
    return false;
}

bool RemoveFolder(const std::string& path, int* error) {
    if (::rmdir(path.c_str()) == 0) return true;
    SetError(error, errno);
    return false;
}

void SyncFolder(const std::string& folder) {
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

std::string CurrentFolder() {
    std::string buffer(256, '\0');
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size())) {
            buffer.resize(buffer.find('\0'));
            return buffer;
        }
        if (errno != ERANGE) return {};
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace corvane::hostfs

namespace corvane::hostfs {

std::string ErrorText(int code) {
    return std::strerror(code);
}

std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    const std::string current = CurrentFolder();
    if (current.empty()) return path;
    return current == "/" ? current + path : current + "/" + path;
}

std::string HostPath(std::string_view path) {
    return std::string(path);
}

std::string AsStored(const std::string& path) {
    return path;
}

bool SameName(std::string_view a, std::string_view b) {
    // Host file names may be UTF-8: fold ASCII letters only.
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

FileStamp StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return {true, static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec};
}

std::string RunningProgramPath() {
    std::string path(4096, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
        if (length <= 0) return {};
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            return path;
        }
        if (path.size() > (1 << 20)) return {};
        path.resize(path.size() * 2);
    }
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    ::localtime_r(&when, &local);
    return local;
}

long ProcessId() {
    return static_cast<long>(::getpid());
}

const char kProcessMarkSystem = 'p';

namespace {

// The state letter and start (in clock ticks after boot) of process id, fields 3 and 22 of
// /proc/<id>/stat; nullopt when that cannot be read.
std::optional<std::pair<char, std::uint64_t>> ProcessStat(long id) {
    int error = 0;
    const auto text = ReadRegularFile("/proc/" + std::to_string(id) + "/stat", &error);
    // The name in field 2 stands in parentheses and may hold anything, blanks and ")" too.
    const auto close = text ? text->rfind(')') : std::string::npos;
    if (close == std::string::npos) return std::nullopt;
    std::istringstream fields(text->substr(close + 1));
    std::string state, field;
    fields >> state;
    for (int number = 4; number <= 22; ++number) fields >> field;
    if (!fields || state.empty()) return std::nullopt;
    return std::pair{state.front(), static_cast<std::uint64_t>(std::strtoull(field.c_str(), nullptr, 10))};
}

} // namespace

ProcessMark OwnProcessMark() {
    // Worked out again in a forked child, which has a number of its own.
    static ProcessMark mark;
    if (mark.id != ProcessId()) {
        const auto stat = ProcessStat(ProcessId());
        mark = {ProcessId(), stat ? stat->second : 0};
    }
    return mark;
}

bool ProcessRunning(const ProcessMark& mark) {
    if (mark == OwnProcessMark()) return true;
    if (mark.id <= 0 || mark.id > std::numeric_limits<pid_t>::max()) return false;
    if (const auto stat = ProcessStat(mark.id))
        return stat->second == mark.start && stat->first != 'Z' && stat->first != 'X';
    // No entry in /proc: gone, unless the system hides other users' processes there (or has no /proc).
    return ::kill(static_cast<pid_t>(mark.id), 0) == 0 || errno == EPERM;
}

} // namespace corvane::hostfs
