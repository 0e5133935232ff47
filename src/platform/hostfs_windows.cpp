// The host's file system on Windows (and so under Wine): the wide-character calls, with host paths
// held as UTF-8.

#include "platform/hostfs.h"
#include "platform/widetext.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <random>
#include <thread>
#include <utility>
#include <windows.h>

namespace corvane::hostfs {

const std::size_t kMaxPath = 32767;

namespace {

// path made absolute against the current folder, with backslashes; nullopt when the system cannot.
std::optional<std::wstring> FullPath(const std::wstring& path) {
    const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return std::nullopt;
    std::wstring full(length, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) return std::nullopt;
    full.resize(written);
    return full;
}

// A host path for the wide calls. Paths longer than MAX_PATH are taken only in the extended form:
// absolute, with backslashes, behind "\\?\".
std::wstring Wide(const std::string& path) {
    std::wstring wide = WideOf(path);
    if (wide.size() < MAX_PATH - 12 || wide.starts_with(L"\\\\?\\")) return wide;
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    const auto found = FullPath(wide);
    if (!found) return wide;
    const std::wstring& full = *found;
    if (full.starts_with(L"\\\\.\\")) return full; // a device
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// A path from the system, with "/" between names.
std::string HostPathOfWide(std::wstring_view path) {
    std::string host = Utf8OfWide(path);
    std::replace(host.begin(), host.end(), '\\', '/');
    return host;
}

// True when Windows holds every name of path as it is spelled: none ends in a dot or a blank, and none
// holds a colon (but the drive's, followed by a separator or nothing) or a character Windows refuses.
bool NamesHeld(std::string_view path) {
    const auto separator = [](char c) { return c == '/' || c == '\\'; };
    // "\\?\" and "\\.\" paths go to the system as they are.
    if (path.size() >= 4 && separator(path[0]) && separator(path[1]) && (path[2] == '?' || path[2] == '.') &&
        separator(path[3]))
        return true;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])) &&
        (path.size() == 2 || separator(path[2])))
        path.remove_prefix(2);
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !separator(path[end])) ++end;
        const std::string_view name = path.substr(start, end - start);
        if (!name.empty() && name != "." && name != "..") {
            if (name.back() == '.' || name.back() == ' ') return false;
            for (const char c : name)
                if (static_cast<unsigned char>(c) < 0x20 ||
                    std::string_view(":<>\"|?*").find(c) != std::string_view::npos)
                    return false;
        }
        start = end + 1;
    }
    return true;
}

// False with kNameNotHeld set when path has a name Windows would not hold as it is spelled.
bool CheckNames(const std::string& path, int* error) {
    if (NamesHeld(path)) return true;
    if (error) *error = kNameNotHeld;
    return false;
}

int ErrnoOf(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return EBUSY;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER:
        return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    default:
        return EIO;
    }
}

void SetError(int* error, int code) {
    if (error) *error = code;
}

void SetSystemError(int* error) {
    SetError(error, ErrnoOf(::GetLastError()));
}

// Opens a regular file for reading; INVALID_HANDLE_VALUE with error set otherwise.
HANDLE OpenRegular(const std::string& path, std::uint64_t* size, int* error, bool* opened) {
    const std::wstring wide = Wide(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (opened) *opened = true;
        SetError(error, EISDIR);
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE file =
        ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        SetSystemError(error);
        return file;
    }
    if (opened) *opened = true;
    LARGE_INTEGER length{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileSizeEx(file, &length)) {
        ::CloseHandle(file);
        SetError(error, EINVAL);
        return INVALID_HANDLE_VALUE;
    }
    *size = static_cast<std::uint64_t>(length.QuadPart);
    return file;
}

bool ReadUpTo(HANDLE file, std::size_t count, std::string& bytes, int* error) {
    char buffer[1 << 16];
    while (bytes.size() < count) {
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min(sizeof buffer, count - bytes.size()));
        if (!::ReadFile(file, buffer, want, &got, nullptr)) {
            SetSystemError(error);
            return false;
        }
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    return true;
}

} // namespace

Kind KindOf(const std::string& path, bool followLinks, int* error) {
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // A name with a character Windows refuses ("what?.cvp") is said to be one.
        if (::GetLastError() == ERROR_INVALID_NAME && !NamesHeld(path))
            SetError(error, kNameNotHeld);
        else
            SetSystemError(error);
        return Kind::Missing;
    }
    if (!followLinks && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return Kind::Link;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::Folder : Kind::File;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry{};
    const std::wstring pattern = Wide(folder.empty() ? std::string(".") : folder) + L"\\*";
    const HANDLE find =
        ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = Utf8OfWide(entry.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return names;
}

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count, std::uint64_t* size,
                                         int* error, bool* opened) {
    const HANDLE file = OpenRegular(path, size, error, opened);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(count, *size)));
    const bool read = ReadUpTo(file, count, bytes, error);
    ::CloseHandle(file);
    if (!read) return std::nullopt;
    return bytes;
}

std::optional<std::string> LinkTarget(const std::string&, int* error) {
    // KindOf reports a reparse point as a link, but its target is left to the system: it is followed
    // when the file is opened.
    SetError(error, EINVAL);
    return std::nullopt;
}

bool NewFile::create(const std::string& pattern, const std::string&, int* error) {
    discard();
    if (!CheckNames(pattern, error)) return false;
    static std::mt19937 random{std::random_device{}()};
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = pattern;
        for (std::size_t i = path.size() - 6; i < path.size(); ++i)
            path[i] = kLetters[random() % (sizeof kLetters - 1)];
        const HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            m_path = std::move(path);
            m_handle = reinterpret_cast<std::intptr_t>(file);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) break;
    }
    SetSystemError(error);
    return false;
}

bool NewFile::write(std::string_view bytes, int* error) {
    const HANDLE file = reinterpret_cast<HANDLE>(m_handle);
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            SetSystemError(error);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool NewFile::finish(int* error) {
    const HANDLE file = reinterpret_cast<HANDLE>(m_handle);
    m_handle = -1;
    const bool flushed = ::FlushFileBuffers(file);
    if (!flushed) SetSystemError(error);
    if (!::CloseHandle(file) && flushed) {
        SetSystemError(error);
        return false;
    }
    return flushed;
}

void NewFile::discard() {
    if (m_handle != -1) ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
    if (!m_path.empty()) ::DeleteFileW(Wide(m_path).c_str());
    m_path.clear();
}

namespace {

// Why a file at target cannot be replaced: ERROR_ACCESS_DENIED for a read-only file (which Windows
// refuses to replace, where Wine would), ERROR_SHARING_VIOLATION for a file that another program holds
// open without sharing its deletion; ERROR_SUCCESS when nothing stands in the way.
DWORD WhyNotReplaceable(const std::wstring& target) {
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return ERROR_SUCCESS;
    if (attributes & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
    const HANDLE file =
        ::CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_SHARING_VIOLATION ? ERROR_SHARING_VIOLATION : ERROR_SUCCESS;
    ::CloseHandle(file);
    return ERROR_SUCCESS;
}

} // namespace

bool Replaceable(const std::string& path, int* error) {
    if (!CheckNames(path, error)) return false;
    const DWORD code = WhyNotReplaceable(Wide(path));
    if (code == ERROR_SUCCESS) return true;
    SetError(error, ErrnoOf(code));
    return false;
}

bool RenameOver(const std::string& from, const std::string& to, int* error) {
    if (!CheckNames(to, error)) return false;
    const std::wstring source = Wide(from);
    const std::wstring target = Wide(to);
    // A file in use cannot be replaced; virus scanners and indexers hold files for a moment, so the
    // rename is tried again for a second before the user is told.
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        DWORD code = ::GetLastError();
        if (code == ERROR_ACCESS_DENIED) {
            const DWORD why = WhyNotReplaceable(target);
            if (why != ERROR_SUCCESS) code = why;
        }
        if ((code != ERROR_SHARING_VIOLATION && code != ERROR_LOCK_VIOLATION) || attempt == 10) {
            SetError(error, ErrnoOf(code));
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

bool RenameNoReplace(const std::string& from, const std::string& to, int* error) {
    if (!CheckNames(to, error)) return false;
    if (::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    SetSystemError(error);
    return false;
}

void RemoveFile(const std::string& path) {
    ::DeleteFileW(Wide(path).c_str());
}

bool MakeFolder(const std::string& path, int* error) {
    if (!CheckNames(path, error)) return false;
    if (::CreateDirectoryW(Wide(path).c_str(), nullptr)) return true;
    SetSystemError(error);
    return false;
}

bool RemoveFolder(const std::string& path, int* error) {
    if (::RemoveDirectoryW(Wide(path).c_str())) return true;
    SetSystemError(error);
    return false;
}

void SyncFolder(const std::string&) {
    // A rename with MOVEFILE_WRITE_THROUGH is on the disk when it returns.
}

std::string CurrentFolder() {
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    if (length == 0) return {};
    std::wstring buffer(length, L'\0');
    const DWORD written = ::GetCurrentDirectoryW(length, buffer.data());
    if (written == 0 || written >= length) return {};
    buffer.resize(written);
    std::string path = HostPathOfWide(buffer);
    while (path.size() > 3 && path.back() == '/') path.pop_back();
    return path;
}

std::string ErrorText(int code) {
    if (code == EBUSY) return "The file is in use by another program";
    if (code == kNameNotHeld)
        return "Windows does not take this name: a name may not end in a dot or a blank (Windows would "
               "drop it and write another file), nor hold a colon (it would name a stream of another "
               "file) or any of < > \" | ? *";
    return std::strerror(code);
}

std::string AbsolutePath(const std::string& path) {
    const auto full = FullPath(WideOf(path));
    return full ? HostPathOfWide(*full) : path;
}

std::string HostPath(std::string_view path) {
    std::string host(path);
    std::replace(host.begin(), host.end(), '\\', '/');
    return host;
}

std::string AsStored(const std::string& path) {
    // The root ("C:", "", or "//server/share") stays; each name after it is looked up.
    std::size_t start = 0;
    if (path.starts_with("//")) {
        start = path.find('/', 2);
        start = start == std::string::npos ? path.size() : path.find('/', start + 1);
    } else {
        start = path.find('/');
    }
    if (start == std::string::npos || start >= path.size()) return path;
    std::string stored = path.substr(0, start);
    while (start < path.size()) {
        const std::size_t end = std::min(path.find('/', start + 1), path.size());
        const std::string name = path.substr(start + 1, end - start - 1);
        stored += '/';
        WIN32_FIND_DATAW entry{};
        const HANDLE find =
            name.empty() || name == "." || name == ".." || name.find_first_of("*?") != std::string::npos
                ? INVALID_HANDLE_VALUE
                : ::FindFirstFileExW(Wide(stored + name).c_str(), FindExInfoBasic, &entry,
                                     FindExSearchNameMatch, nullptr, 0);
        if (find == INVALID_HANDLE_VALUE) {
            stored += name;
        } else {
            stored += Utf8OfWide(entry.cFileName);
            ::FindClose(find);
        }
        start = end;
    }
    return stored;
}

bool SameName(std::string_view a, std::string_view b) {
    const std::wstring x = WideOf(a);
    const std::wstring y = WideOf(b);
    return ::CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                                  static_cast<int>(y.size()), TRUE) == CSTR_EQUAL;
}

FileStamp StampOf(const std::string& path) {
    const HANDLE file =
        ::CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    if (!known) return {};
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return {true, info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
            join(info.nFileSizeHigh, info.nFileSizeLow),
            static_cast<std::int64_t>(
                join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime))};
}

std::string RunningProgramPath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return HostPathOfWide(buffer);
        }
        if (buffer.size() >= kMaxPath) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    ::localtime_s(&local, &when);
    return local;
}

long ProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

const char kProcessMarkSystem = 'w';

namespace {

// When the process started, in the system's 100-nanosecond steps.
std::optional<std::uint64_t> CreationOf(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
    return (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
}

} // namespace

ProcessMark OwnProcessMark() {
    static const ProcessMark mark{ProcessId(), CreationOf(::GetCurrentProcess()).value_or(0)};
    return mark;
}

bool ProcessRunning(const ProcessMark& mark) {
    if (mark == OwnProcessMark()) return true;
    if (mark.id <= 0) return false;
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(mark.id));
    // No process has the number; one that the system does not let this one see runs.
    if (!process) return ::GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD exitCode = 0;
    const bool ended = ::GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE;
    const auto start = CreationOf(process);
    ::CloseHandle(process);
    return !ended && (!start || *start == mark.start);
}

} // namespace corvane::hostfs
