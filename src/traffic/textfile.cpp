#include "traffic/textfile.h"

#include "traffic/hostfs.h"
#include "traffic/paths.h"
#include "traffic/tempfiles.h"
#include "traffic/text.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <functional>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace corvane {

namespace {

std::optional<std::size_t> g_failAfterBytes;
std::optional<int> g_renamesBeforeFailure;
std::function<void(std::size_t)> g_beforeSetRename;

// File names in messages stand between two apostrophes on each side; the reason goes on a line of
// its own.
std::string FileMessage(std::string_view verb, const std::string& path, int code) {
    return "Could not " + std::string(verb) + " ''" + path + "''\r\n" + hostfs::ErrorText(code);
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
    int code = 0;
    bool opened = false;
    auto bytes = hostfs::ReadRegularFile(path, &code, &opened);
    if (!bytes) SetError(error, FileMessage(opened ? "read" : "open", path, code));
    return bytes;
}

namespace {

// The first CR or LF in [at, end), or end. Files are megabytes of lines of a hundred bytes or so: one
// pass, sixteen bytes at a time where the processor allows, finds both kinds of line end at once.
const char* FindLineEnd(const char* at, const char* end) {
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; end - at >= 16; at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const int hits =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, lf), _mm_cmpeq_epi8(chunk, cr)));
        if (hits != 0) return at + std::countr_zero(static_cast<unsigned>(hits));
    }
#endif
    while (at != end && *at != '\n' && *at != '\r') ++at;
    return at;
}

} // namespace

bool LineCursor::next(std::string_view& line) {
    if (m_rest.empty()) return false;
    const char* const begin = m_rest.data();
    const char* const end = begin + m_rest.size();
    const char* const lineEnd = FindLineEnd(begin, end);
    line = std::string_view(begin, static_cast<std::size_t>(lineEnd - begin));
    const char* next = lineEnd;
    if (next != end) next += (*next == '\r' && next + 1 != end && next[1] == '\n') ? 2 : 1;
    m_rest = std::string_view(next, static_cast<std::size_t>(end - next));
    return true;
}

void SetAtomicWriteFailureForTesting(std::optional<std::size_t> failAfterBytes) {
    g_failAfterBytes = failAfterBytes;
}

void SetFileSetRenameFailureForTesting(std::optional<int> renamesBeforeFailure) {
    g_renamesBeforeFailure = renamesBeforeFailure;
}

void SetBeforeSetRenameForTesting(std::function<void(std::size_t)> hook) {
    g_beforeSetRename = std::move(hook);
}

namespace {

// The renames of a set in progress, in the set's folder: pairs of bare names (temporary file, target),
// each ended by NUL.
constexpr std::string_view kPendingSetName = ".cvset-pending";
// A note that names anything else is set aside under this name, never followed.
constexpr std::string_view kSetAsideSuffix = ".bad";
// A note of three renames takes some 150 bytes.
constexpr std::size_t kMaxNoteSize = 64 * 1024;

// Why part of a set waits, and how to clear it; for the end of a message.
std::string LeftPendingText(const std::string& note) {
    return "\r\nThe rest of the new set waits beside it under temporary names, as the note ''" + note +
           "'' lists, and is put in place the next time the folder is read or written; close any program "
           "that holds the file. To give up the rest of the new set instead, delete the note: the folder "
           "then keeps part of the old set and part of the new one.";
}

// A rename of a set's file into place; with the test hook set, the renames after the allowed number
// fail as a file held open by another program does.
bool RenameIntoSet(const std::string& from, const std::string& to, int* code) {
    if (g_renamesBeforeFailure) {
        if (*g_renamesBeforeFailure <= 0) {
            if (code) *code = EBUSY;
            return false;
        }
        --*g_renamesBeforeFailure;
    }
    return hostfs::RenameOver(from, to, code);
}

// Follows symbolic links from path to the file they finally name, which need not exist yet. False
// with code set for a loop of links or a link that cannot be read.
bool ResolveLinks(std::string& path, int* code) {
    for (int hops = 0; hops < 40; ++hops) {
        int error = 0;
        const hostfs::Kind kind = hostfs::KindOf(path, false, &error);
        if (kind == hostfs::Kind::Missing) {
            if (error == ENOENT) return true;
            *code = error;
            return false;
        }
        if (kind != hostfs::Kind::Link) return true;
        const auto target = hostfs::LinkTarget(path, code);
        if (!target) return false;
        path = !target->empty() && target->front() == '/' ? *target : FolderOf(path) + "/" + *target;
    }
    *code = ELOOP;
    return false;
}

std::string BareName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// The new content of one target, written and flushed under a short temporary name in the target's
// folder (so that names near the length limit work), then renamed over the target. Until then the
// target is untouched; a pending file that is never committed is removed.
class PendingFile {
public:
    // Finds the file to replace: with followLinks, the file that a link at target finally names; else
    // target itself, a link there being replaced. False with error set (naming it) when it cannot be
    // replaced.
    bool aim(std::string target, bool followLinks, std::string* error) {
        m_target = std::move(target);
        int code = 0;
        if (followLinks && !ResolveLinks(m_target, &code)) return fail(code, error);
        // What cannot be renamed over is refused before anything is written, so that a set is never
        // replaced in part.
        if (hostfs::KindOf(m_target, followLinks) == hostfs::Kind::Folder) return fail(EISDIR, error);
        if (!hostfs::Replaceable(m_target, &code)) return fail(code, error);
        return true;
    }

    // Writes bytes for the target; false with error set (naming the target) on any failure.
    bool write(std::string_view bytes, std::string* error) {
        int code = 0;
        // Keep the permissions of the file being replaced.
        if (!m_file.create(TempFilePattern(FolderOf(m_target)), m_target, &code)) return fail(code, error);

        // With the test hook set, a write that reaches the limit stops there and fails like a full disk.
        const bool injectFailure = g_failAfterBytes && bytes.size() >= *g_failAfterBytes;
        if (!m_file.write(injectFailure ? bytes.substr(0, *g_failAfterBytes) : bytes, &code))
            return fail(code, error);
        if (injectFailure) return fail(ENOSPC, error);
        if (!m_file.finish(&code)) return fail(code, error);
        m_written = hostfs::StampOf(m_file.path());
        return true;
    }

    bool prepare(std::string target, std::string_view bytes, std::string* error, bool followLinks) {
        return aim(std::move(target), followLinks, error) && write(bytes, error);
    }

    // Renames the written file over its target (a set's files through RenameIntoSet). On failure the
    // file stays under its temporary name until this goes, or for good once kept.
    bool commit(std::string* error,
                bool (*rename)(const std::string&, const std::string&, int*) = hostfs::RenameOver) {
        int code = 0;
        if (!rename(m_file.path(), m_target, &code) && !placedByAnother()) {
            SetError(error, FileMessage("write", m_target, code));
            return false;
        }
        m_file.forget();
        return true;
    }

    // True when the written file is in place already: a reader of the folder finished the set from its
    // note while the writer still ran.
    bool placedByAnother() const {
        if (hostfs::KindOf(m_file.path(), false) != hostfs::Kind::Missing) return false;
        const hostfs::FileStamp now = hostfs::StampOf(m_target);
        return now.exists && now.device == m_written.device && now.file == m_written.file;
    }

    // Leaves the written file under its temporary name when this goes.
    void keep() { m_file.forget(); }

    const std::string& target() const { return m_target; }
    const std::string& temp() const { return m_file.path(); }

private:
    bool fail(int code, std::string* error) {
        SetError(error, FileMessage("write", m_target, code));
        m_file.discard();
        return false;
    }

    std::string m_target;
    hostfs::NewFile m_file;
    hostfs::FileStamp m_written;
};

// The names a set may put in place: the three text databases and a project file.
bool IsSetFileName(std::string_view name) {
    if (name.find_first_of("/\\:") != std::string_view::npos) return false;
    for (const std::string_view database : {"Aircraft.txt", "Airports.txt", "FlightPlans.txt"})
        if (EqualsIgnoringCase(name, database)) return true;
    return name.size() > 4 && EqualsIgnoringCase(name.substr(name.size() - 4), ".cvp");
}

// A note of pending renames as read from disk. Only renames of a temporary file of ours to a name of a
// set, both bare names in the note's folder, are taken; anything else is refused.
struct PendingNote {
    bool present = false;
    int readError = 0; // the note is there but cannot be read
    std::string bytes;
    std::vector<std::pair<std::string, std::string>> renames; // temporary file, target
    std::vector<std::string> refused;                         // for a message
};

PendingNote ReadNote(const std::string& path) {
    PendingNote note;
    const hostfs::Kind kind = hostfs::KindOf(path, false);
    if (kind == hostfs::Kind::Missing) return note;
    note.present = true;
    if (kind != hostfs::Kind::File) {
        note.refused.push_back("(the note is no file)");
        return note;
    }
    std::uint64_t size = 0;
    auto bytes = hostfs::ReadFileStart(path, kMaxNoteSize + 1, &size, &note.readError);
    if (!bytes) return note;
    if (bytes->size() > kMaxNoteSize) {
        note.refused.push_back("(the note is too large)");
        return note;
    }
    note.bytes = std::move(*bytes);
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t end; (end = note.bytes.find('\0', start)) != std::string::npos; start = end + 1)
        names.push_back(note.bytes.substr(start, end - start));
    if (start < note.bytes.size()) note.refused.push_back("''" + note.bytes.substr(start) + "''");
    if (names.size() % 2 != 0) note.refused.push_back("''" + names.back() + "''");
    if (names.empty() && note.refused.empty()) note.refused.push_back("(the note is empty)");
    for (std::size_t i = 0; i + 1 < names.size(); i += 2) {
        if (IsTempFileName(names[i]) && IsSetFileName(names[i + 1]))
            note.renames.emplace_back(names[i], names[i + 1]);
        else
            note.refused.push_back("''" + names[i] + "'' to ''" + names[i + 1] + "''");
    }
    return note;
}

// Removes the note at path when it still holds bytes: another run may have written a note of its own
// since.
void RemoveNote(const std::string& path, const std::string& bytes) {
    std::uint64_t size = 0;
    int code = 0;
    if (hostfs::ReadFileStart(path, kMaxNoteSize + 1, &size, &code) == bytes) hostfs::RemoveFile(path);
}

// Renames a note that names anything but the rest of a set aside, and tells what it named.
std::string SetNoteAside(const std::string& path, const PendingNote& note) {
    std::string text = "The note ''" + path +
                       "'' lists files that are not the rest of a set in its own folder, and none of "
                       "these was moved:";
    for (std::size_t i = 0; i < note.refused.size() && i < 5; ++i) {
        std::string shown = note.refused[i].substr(0, 200);
        for (char& c : shown)
            if (static_cast<unsigned char>(c) < 0x20) c = '?';
        text += "\r\n" + shown;
    }
    if (note.refused.size() > 5) text += "\r\nand " + std::to_string(note.refused.size() - 5) + " more";
    const std::string aside = path + std::string(kSetAsideSuffix);
    int code = 0;
    if (hostfs::RenameOver(path, aside, &code))
        return text + "\r\nThe note was renamed to ''" + aside +
               "''; the files of the folder are read or written as they stand from now on.";
    return text + "\r\nThe note could not be renamed to ''" + aside + "'': " + hostfs::ErrorText(code) +
           "\r\nDelete it to read or write the folder.";
}

} // namespace

bool SaveFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    PendingFile file;
    if (!file.aim(path, true, error)) return false;
    const std::string folder = FolderOf(file.target());
    RemoveLeftOverTempFiles(folder);
    if (!file.write(bytes, error) || !file.commit(error)) return false;
    hostfs::SyncFolder(folder);
    return true;
}

void RemoveLeftOverTempFiles(const std::string& folder) {
    const std::string base = WithSeparator(folder);
    std::vector<std::string> leftOver;
    for (const std::string& name : hostfs::FolderNames(folder))
        if (IsLeftOverTempFile(name) && hostfs::KindOf(base + name, false) == hostfs::Kind::File)
            leftOver.push_back(name);
    if (leftOver.empty()) return;
    // Read once the runs are known to have ended: a note that one of them wrote is there by now. What
    // it lists waits to be put in place.
    const PendingNote note = ReadNote(base + std::string(kPendingSetName));
    if (note.readError != 0) return;
    for (const std::string& name : leftOver) {
        const auto listed = [&](const auto& rename) { return rename.first == name; };
        if (std::none_of(note.renames.begin(), note.renames.end(), listed)) hostfs::RemoveFile(base + name);
    }
}

bool CompletePendingFileSet(const std::string& folder, std::string* error) {
    const std::string base = WithSeparator(folder);
    const std::string notePath = base + std::string(kPendingSetName);
    const PendingNote note = ReadNote(notePath);
    if (note.readError != 0) {
        SetError(error, FileMessage("read", notePath, note.readError) +
                            "\r\nIt lists the rest of a new set of files; delete it to read or write the "
                            "folder as it stands.");
        return false;
    }
    bool complete = true;
    for (const auto& [temp, target] : note.renames) {
        // A file only: a link under a temporary name would put a link in the set.
        if (hostfs::KindOf(base + temp, false) != hostfs::Kind::File) continue;
        int code = 0;
        if (!RenameIntoSet(base + temp, base + target, &code)) {
            // The note stays, so that a later reader or writer finishes the set.
            if (complete)
                SetError(error, FileMessage("write", base + target, code) + LeftPendingText(notePath));
            complete = false;
        }
    }
    if (!note.refused.empty()) {
        SetError(error, SetNoteAside(notePath, note));
        complete = false;
    } else if (note.present && complete) {
        RemoveNote(notePath, note.bytes);
    }
    if (note.present) hostfs::SyncFolder(folder);
    RemoveLeftOverTempFiles(folder);
    return complete;
}

bool ReplaceFileSet(const std::string& folder, const std::vector<FileInSet>& files, std::string* error) {
    const std::string base = WithSeparator(folder);
    for (const FileInSet& file : files) {
        if (!IsSetFileName(file.name)) {
            SetError(error, "''" + file.name + "'' is not the name of a file of a set.");
            return false;
        }
    }
    // A set that an earlier run could not finish is finished first; no new set goes over half of one.
    if (!CompletePendingFileSet(folder, error)) return false;
    // The files of a set are replaced in its folder: a link at one of its names is replaced, not
    // followed, so that the note of the renames names nothing outside the folder.
    std::vector<std::string> names;
    std::vector<PendingFile> pending(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        // An existing spelling of the name is kept: the exact one, else the first in byte order.
        const auto spellings = NamesIgnoringCase(folder, files[i].name);
        const bool exact = std::find(spellings.begin(), spellings.end(), files[i].name) != spellings.end();
        names.push_back(exact || spellings.empty() ? files[i].name : spellings.front());
        if (!pending[i].prepare(base + names.back(), files[i].bytes, error, false)) return false;
    }
    // The renames are noted first, so that a run killed between two of them leaves a set that the
    // next reader or writer of the folder completes, never half an old and half a new one.
    std::string renames;
    for (std::size_t i = 0; i < pending.size(); ++i) {
        renames += BareName(pending[i].temp());
        renames += '\0';
        renames += names[i];
        renames += '\0';
    }
    const std::string notePath = base + std::string(kPendingSetName);
    PendingFile note;
    if (!note.prepare(notePath, renames, error, false) || !note.commit(error)) return false;
    hostfs::SyncFolder(folder);
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (g_beforeSetRename) g_beforeSetRename(i);
        if (pending[i].commit(error, RenameIntoSet)) continue;
        const auto placed = [](const PendingFile& file) { return file.placedByAnother(); };
        if (i == 0 && std::none_of(pending.begin() + 1, pending.end(), placed)) {
            // Nothing is replaced yet: the old set stays whole, the new files go.
            RemoveNote(notePath, renames);
            return false;
        }
        // Part of the set is replaced: the rest stays under its temporary names beside the note, and
        // the next reader or writer of the folder puts it in place; none reads half a set.
        for (std::size_t rest = i; rest < pending.size(); ++rest) pending[rest].keep();
        if (error) *error += LeftPendingText(notePath);
        return false;
    }
    RemoveNote(notePath, renames);
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (const std::string& other : NamesIgnoringCase(folder, files[i].name)) {
            const hostfs::Kind kind = hostfs::KindOf(base + other, false);
            if (other != names[i] && kind != hostfs::Kind::Missing && kind != hostfs::Kind::Folder)
                hostfs::RemoveFile(base + other);
        }
    }
    hostfs::SyncFolder(folder);
    return true;
}

} // namespace corvane
