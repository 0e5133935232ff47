#pragma once
// Files are read whole as bytes and split into lines at CR LF, LF or a lone CR; files are written with
// CR LF line ends through one atomic-write helper.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr std::string_view kLineEnd = "\r\n";

// The whole file, or nullopt with error set to a sentence naming the file.
std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error = nullptr);

// Walks the lines of a buffer. A line ends at CR LF, at LF, or at a CR that no LF follows (the line
// ends of old Mac files). The last line needs no line end; an empty buffer has no lines.
class LineCursor {
public:
    explicit LineCursor(std::string_view bytes)
        : m_rest(bytes) {}
    bool next(std::string_view& line);

private:
    std::string_view m_rest;
};

// Writes bytes to path through a temporary file in the same folder, flushed to disk and then renamed
// over the target, so that the target holds either its old content or all of the new one. Returns
// false with error set (naming the file) when anything fails; the temporary file is then removed.
// A path that is a symbolic link writes the file the link points to and keeps the link; a replaced
// file keeps its permission bits, a new one gets 0644 less the umask.
bool SaveFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// One file of a set written by ReplaceFileSet.
struct FileInSet {
    std::string name;
    std::string_view bytes;
};

// Replaces several files of folder as one set (the three text databases, or a project file): every file
// is written and flushed under a temporary name first, and only when all are complete are they renamed
// into place, back to back. A failure before that leaves every old file as it was; a rename that fails
// after the first leaves the rest of the new set waiting for CompletePendingFileSet. A file that exists
// under a name of other letter case is replaced under its own name, and no second spelling of a name
// is left in the folder. A link at a name of the set is replaced, not followed.
bool ReplaceFileSet(const std::string& folder, const std::vector<FileInSet>& files,
                    std::string* error = nullptr);

// The renames are noted in the folder before they begin; a run that was killed or failed between two
// of them left that note, and this carries out the renames that remain. Readers of a set call it
// first. False, with error set, when a rename still fails: the folder then holds half an old and half
// a new set, which must not be read, and the note stays for the next attempt. The note is data like
// any other: only renames of a temporary file of ours to a name of a set, both in the note's folder,
// are made; a note that lists anything else is renamed aside (".bad"), and that is a failure too, with
// error telling what it listed.
bool CompletePendingFileSet(const std::string& folder, std::string* error = nullptr);

// Removes the temporary files (tempfiles.h) in folder that runs which have ended left behind, but not
// those that the folder's note of a pending set lists: they wait to be put in place. Readers and
// writers of a folder call it.
void RemoveLeftOverTempFiles(const std::string& folder);

// Test hooks: the next atomic writes fail after this many bytes; the renames of sets into place fail
// after this many more have been made (nullopt: no failure); hook runs before each rename of a set's
// file into place, with its position in the set.
void SetAtomicWriteFailureForTesting(std::optional<std::size_t> failAfterBytes);
void SetFileSetRenameFailureForTesting(std::optional<int> renamesBeforeFailure);
void SetBeforeSetRenameForTesting(std::function<void(std::size_t)> hook);

} // namespace corvane
