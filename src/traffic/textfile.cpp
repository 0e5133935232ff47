#include "traffic/textfile.h"

#include "traffic/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace corvane {

namespace {

std::optional<std::size_t> g_failAfterBytes;

// File names in messages stand between two apostrophes on each side; the reason goes on a line of
// its own.
std::string FileMessage(std::string_view verb, const std::string& path, int code) {
    return "Could not " + std::string(verb) + " ''" + path + "''\r\n" + std::strerror(code);
}

std::string FolderOf(const std::string& path) {
    const auto p = path.rfind('/');
    if (p == std::string::npos) return ".";
    return p == 0 ? "/" : path.substr(0, p);
}

void SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

} // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error) {
    // Opened without blocking, so that a named pipe or a device in place of a file cannot hang the
    // program; only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, FileMessage("open", path, errno));
        return std::nullopt;
    }
    struct stat info {};
    const bool statFailed = ::fstat(fd, &info) != 0;
    if (statFailed || !S_ISREG(info.st_mode)) {
        const int code = statFailed ? errno : S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        SetError(error, FileMessage("read", path, code));
        return std::nullopt;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::string bytes;
    if (info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            SetError(error, FileMessage("read", path, code));
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

bool LineCursor::next(std::string_view& line) {
    if (m_rest.empty()) return false;
    const auto p = m_rest.find('\n');
    if (p == std::string_view::npos) {
        line = m_rest;
        m_rest = {};
    } else {
        line = m_rest.substr(0, p);
        m_rest.remove_prefix(p + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    }
    return true;
}

void SetAtomicWriteFailureForTesting(std::optional<std::size_t> failAfterBytes) {
    g_failAfterBytes = failAfterBytes;
}

namespace {

constexpr std::string_view kTempPrefix = ".cvtmp-";
// The renames of a set in progress: pairs of paths (temporary file, target), each path ended by NUL.
constexpr std::string_view kPendingSetName = ".cvset-pending";

// Follows symbolic links from path to the file they finally name, which need not exist yet. False
// with code set for a loop of links or a link that cannot be read.
bool ResolveLinks(std::string& path, int* code) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno == ENOENT) return true;
            *code = errno;
            return false;
        }
        if (!S_ISLNK(info.st_mode)) return true;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        for (;;) {
            const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
            if (n < 0) {
                *code = errno;
                return false;
            }
            if (static_cast<std::size_t>(n) < target.size()) {
                target.resize(static_cast<std::size_t>(n));
                break;
            }
            target.resize(target.size() * 2);
        }
        path = !target.empty() && target.front() == '/' ? target : FolderOf(path) + "/" + target;
    }
    *code = ELOOP;
    return false;
}

void SyncFolder(const std::string& folder) {
    // Makes renames durable; a failure here does not undo a complete write.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// The new content of one target, written and flushed under a short temporary name in the target's
// folder (so that names near the length limit work), then renamed over the target. Until then the
// target is untouched; a pending file that is never committed is removed.
class PendingFile {
public:
    PendingFile() = default;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    PendingFile(PendingFile&& other) noexcept
        : m_target(std::move(other.m_target))
        , m_temp(std::move(other.m_temp))
        , m_fd(std::exchange(other.m_fd, -1)) {
        other.m_temp.clear();
    }
    ~PendingFile() { discard(); }

    // Writes bytes for target; false with error set (naming target) on any failure.
    bool prepare(std::string target, std::string_view bytes, std::string* error) {
        m_target = std::move(target);
        int code = 0;
        if (!ResolveLinks(m_target, &code)) return fail(code, error);
        // What cannot be renamed over is refused before anything is written, so that a set is never
        // replaced in part.
        struct stat existing {};
        if (::stat(m_target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) return fail(EISDIR, error);
        m_temp = FolderOf(m_target) + "/" + std::string(kTempPrefix) + "XXXXXX";
        m_fd = ::mkstemp(m_temp.data());
        if (m_fd < 0) {
            m_temp.clear();
            return fail(errno, error);
        }
        // Keep the permissions of the file being replaced; a new file gets the usual ones, never
        // the executable bit.
        struct stat old {};
        mode_t mode = 0644;
        if (::stat(m_target.c_str(), &old) == 0) {
            mode = old.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode &= ~mask;
        }
        ::fchmod(m_fd, mode);

        // With the test hook set, a write that reaches the limit stops there and fails like a full disk.
        const bool injectFailure = g_failAfterBytes && bytes.size() >= *g_failAfterBytes;
        std::string_view rest = injectFailure ? bytes.substr(0, *g_failAfterBytes) : bytes;
        while (!rest.empty()) {
            const ssize_t n = ::write(m_fd, rest.data(), std::min<std::size_t>(rest.size(), 1 << 20));
            if (n < 0) {
                if (errno == EINTR) continue;
                return fail(errno, error);
            }
            rest.remove_prefix(static_cast<std::size_t>(n));
        }
        if (injectFailure) return fail(ENOSPC, error);
        if (::fsync(m_fd) != 0) return fail(errno, error);
        const int closed = ::close(m_fd);
        m_fd = -1;
        if (closed != 0) return fail(errno, error);
        return true;
    }

    // Renames the written file over its target.
    bool commit(std::string* error) {
        if (::rename(m_temp.c_str(), m_target.c_str()) != 0) return fail(errno, error);
        m_temp.clear();
        return true;
    }

    const std::string& target() const { return m_target; }
    const std::string& temp() const { return m_temp; }

private:
    bool fail(int code, std::string* error) {
        SetError(error, FileMessage("write", m_target, code));
        discard();
        return false;
    }
    void discard() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
        if (!m_temp.empty()) ::unlink(m_temp.c_str());
        m_temp.clear();
    }

    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
};

} // namespace

bool SaveFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    PendingFile file;
    if (!file.prepare(path, bytes, error) || !file.commit(error)) return false;
    SyncFolder(FolderOf(file.target()));
    return true;
}

namespace {

// A pending rename is only carried out between a temporary file of ours and a name in its folder.
bool IsOwnRename(const std::string& temp, const std::string& target) {
    const auto slash = temp.rfind('/');
    return slash != std::string::npos && FolderOf(temp) == FolderOf(target) &&
           std::string_view(temp).substr(slash + 1).starts_with(kTempPrefix);
}

} // namespace

void CompletePendingFileSet(const std::string& folder) {
    const std::string marker = WithSeparator(folder) + std::string(kPendingSetName);
    const auto bytes = ReadFileBytes(marker);
    if (!bytes) return;
    std::vector<std::string> paths;
    for (std::size_t start = 0, end; (end = bytes->find('\0', start)) != std::string::npos; start = end + 1)
        paths.push_back(bytes->substr(start, end - start));
    for (std::size_t i = 0; i + 1 < paths.size(); i += 2) {
        struct stat info {};
        if (IsOwnRename(paths[i], paths[i + 1]) && ::lstat(paths[i].c_str(), &info) == 0)
            ::rename(paths[i].c_str(), paths[i + 1].c_str());
    }
    ::unlink(marker.c_str());
    SyncFolder(folder.empty() ? std::string(".") : folder);
}

bool ReplaceFileSet(const std::string& folder, const std::vector<FileInSet>& files, std::string* error) {
    const std::string base = WithSeparator(folder);
    CompletePendingFileSet(folder); // a set that an earlier run could not finish
    std::vector<std::string> names;
    std::vector<PendingFile> pending(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        // An existing spelling of the name is kept: the exact one, else the first in byte order.
        const auto spellings = NamesIgnoringCase(folder, files[i].name);
        const bool exact =
            std::find(spellings.begin(), spellings.end(), files[i].name) != spellings.end();
        names.push_back(exact || spellings.empty() ? files[i].name : spellings.front());
        if (!pending[i].prepare(base + names.back(), files[i].bytes, error)) return false;
    }
    // The renames are noted first, so that a run killed between two of them leaves a set that the
    // next reader or writer of the folder completes, never half an old and half a new one.
    std::string renames;
    for (const PendingFile& file : pending) {
        renames += file.temp();
        renames += '\0';
        renames += file.target();
        renames += '\0';
    }
    PendingFile marker;
    if (!marker.prepare(base + std::string(kPendingSetName), renames, error) || !marker.commit(error)) return false;
    SyncFolder(folder.empty() ? std::string(".") : folder);
    for (PendingFile& file : pending)
        if (!file.commit(error)) return false;
    ::unlink((base + std::string(kPendingSetName)).c_str());
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (const std::string& other : NamesIgnoringCase(folder, files[i].name)) {
            struct stat info {};
            if (other != names[i] && ::lstat((base + other).c_str(), &info) == 0 && !S_ISDIR(info.st_mode))
                ::unlink((base + other).c_str());
        }
    }
    std::vector<std::string> synced;
    for (const PendingFile& file : pending) {
        const std::string target = FolderOf(file.target());
        if (std::find(synced.begin(), synced.end(), target) != synced.end()) continue;
        SyncFolder(target);
        synced.push_back(target);
    }
    return true;
}

} // namespace corvane
