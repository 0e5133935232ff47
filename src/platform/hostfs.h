#pragma once
// The host's file system beneath the file helpers (paths.cpp, textfile.cpp) and the traffic tools: the
// few calls that differ between POSIX systems and Windows, with one implementation for each
// (hostfs_posix.cpp, hostfs_windows.cpp) chosen when the program is built. Paths are host paths held
// as bytes; on Windows they are UTF-8, with "/" between names (Windows takes it as well as "\").
// Failures are errno values (Windows' own codes are mapped to them).
//
// What a call creates, renames to or replaces must have a name the system holds as it is spelled:
// Windows drops a dot or a blank at the end of a name ("out.cvp." would write "out.cvp") and takes a
// colon after the drive for a stream of another file ("a:b.cvp"), so there such a path is refused with
// kNameNotHeld before anything is written.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::hostfs {

// The text of an error code of these calls, for a message.
std::string ErrorText(int code);

// The error of a path with a name the system would not hold as it is spelled (never on POSIX systems).
inline constexpr int kNameNotHeld = 1000;

// The longest path the system takes.
extern const std::size_t kMaxPath;

enum class Kind { Missing, File, Folder, Link, Other };

// What path names, links followed; with followLinks false a symbolic link is Link. Missing when
// nothing is there or it cannot be told (error says why when given).
Kind KindOf(const std::string& path, bool followLinks = true, int* error = nullptr);

// The names in folder ("" for the current folder) without "." and ".."; empty when it cannot be read.
std::vector<std::string> FolderNames(const std::string& folder);

// The first count bytes of a regular file (fewer when it is shorter) and its size in bytes. Anything
// but a regular file (a folder, a named pipe, a device that could make the reader wait forever) is
// refused. opened tells whether a failure came after the file was opened.
std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count, std::uint64_t* size,
                                         int* error, bool* opened = nullptr);

// The bytes of a regular file, as ReadFileStart.
std::optional<std::string> ReadRegularFile(const std::string& path, int* error, bool* opened = nullptr);

// The text of the symbolic link at path, or nullopt (EINVAL for a path that is no link).
std::optional<std::string> LinkTarget(const std::string& path, int* error);

// A new file written in one go: created under a name no other file has, flushed to the disk and closed
// when finished, removed when it is discarded (or destroyed) before that.
class NewFile {
public:
    NewFile() = default;
    NewFile(NewFile&& other) noexcept;
    NewFile& operator=(NewFile&& other) noexcept;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() { discard(); }

    // Creates the file at pattern, whose last six characters ("XXXXXX") are replaced to make a name
    // of its own, with the permissions of the file at like where that exists (the usual ones, without
    // the executable bit, otherwise).
    bool create(const std::string& pattern, const std::string& like, int* error);
    bool write(std::string_view bytes, int* error);
    // Flushes to the disk and closes; the file stays.
    bool finish(int* error);
    // Closes and removes the file, unless it was finished and has been renamed since (forget()).
    void discard();
    // The file is kept whatever happens to this object.
    void forget() { m_path.clear(); }

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    std::intptr_t m_handle = -1; // a descriptor, or a Windows HANDLE
};

// Renames from to to, replacing a file of that name.
bool RenameOver(const std::string& from, const std::string& to, int* error);
// False (error set) when an existing file at path cannot be replaced by a rename: on Windows a
// read-only file (EACCES), or one that another program holds open without sharing (EBUSY). A POSIX
// system replaces any name in a folder it may write.
bool Replaceable(const std::string& path, int* error);
// Gives the file from the name to only while nothing has it: an entry there (a link too, which is not
// followed) is never replaced, and the call fails with EEXIST.
bool RenameNoReplace(const std::string& from, const std::string& to, int* error);
void RemoveFile(const std::string& path);
bool MakeFolder(const std::string& path, int* error);
// Removes an empty folder.
bool RemoveFolder(const std::string& path, int* error = nullptr);
// Makes the renames in folder durable where the system needs to be told.
void SyncFolder(const std::string& folder);
// The current folder as a host path (without a separator at the end); "" when it cannot be told.
std::string CurrentFolder();

// Creates the folder and the folders above it that are missing; true when it is a folder afterwards
// (error set otherwise).
bool MakeFolders(const std::string& path, int* error = nullptr);
// Removes path: a file, or a folder with everything in it. A link is removed, never followed.
// Errors are ignored.
void RemoveTree(const std::string& path);

// path made absolute against the current folder (unchanged when it already is).
std::string AbsolutePath(const std::string& path);

// A path as a user or the system spells it, in the form of the host paths: Windows separates names
// with "\" as well as "/", so there "\" becomes "/"; elsewhere a backslash is a character of a name
// and stays.
std::string HostPath(std::string_view path);

// True when the two names are one name to the program: Windows compares them without regard to case
// as its file systems do; elsewhere, where names from the Windows world meet a case-sensitive file
// system, the letters A to Z match their lower case.
bool SameName(std::string_view a, std::string_view b);

// The path of an existing entry with every name as the file system stores it: Windows finds a name in
// any spelling of its letters, and this gives the stored one; elsewhere the path as it is.
std::string AsStored(const std::string& path);

// The identity of a file's current content as the file system sees it: the file (device and number),
// its size and the time of its last change. A rebuilt file has a new one.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

// The path of the running program's file as the system names it; "" when it cannot tell.
std::string RunningProgramPath();

// The broken-down local time of when.
std::tm LocalTime(std::time_t when);
// The number of the running process.
long ProcessId();

// One run of a process: its number and the moment it started as the system counts it, so that a number
// the system gives again to a later process does not match.
struct ProcessMark {
    long id = 0;
    std::uint64_t start = 0;
    bool operator==(const ProcessMark&) const = default;
};
// The letter of this system's marks ('p' on POSIX systems, 'w' on Windows): a mark means nothing to
// another system.
extern const char kProcessMarkSystem;
ProcessMark OwnProcessMark();
// False only when the run has ended: no process has its number, or the one that has it started at
// another moment (or, on Linux, is a zombie). A process that the system does not tell about counts as
// running.
bool ProcessRunning(const ProcessMark& mark);

} // namespace corvane::hostfs
