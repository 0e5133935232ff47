#include "traffic/textfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string NameOf(const std::string& path) {
    const auto p = path.rfind('/');
    return p == std::string::npos ? path : path.substr(p + 1);
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

bool SaveFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    const std::string folder = FolderOf(path);
    std::string temp = folder + "/." + NameOf(path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        SetError(error, FileMessage("write", path, errno));
        return false;
    }

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat old {};
    mode_t mode = 0666;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);

    auto fail = [&](int code) {
        ::close(fd);
        ::unlink(temp.c_str());
        SetError(error, FileMessage("write", path, code));
        return false;
    };

    // With the test hook set, a write that reaches the limit stops there and fails like a full disk.
    const bool injectFailure = g_failAfterBytes && bytes.size() >= *g_failAfterBytes;
    std::string_view rest = injectFailure ? bytes.substr(0, *g_failAfterBytes) : bytes;
    while (!rest.empty()) {
        const ssize_t n = ::write(fd, rest.data(), std::min<std::size_t>(rest.size(), 1 << 20));
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    if (injectFailure) return fail(ENOSPC);
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        SetError(error, FileMessage("write", path, code));
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        SetError(error, FileMessage("write", path, code));
        return false;
    }
    // Make the rename itself durable; failure here does not undo a complete write.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace corvane
