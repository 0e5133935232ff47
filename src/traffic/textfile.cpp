#include "traffic/textfile.h"

#include "traffic/hostfs.h"
#include "traffic/paths.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace corvane {

namespace {

std::optional<std::size_t> g_failAfterBytes;
std::optional<int> g_renamesBeforeFailure;

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

namespace {

constexpr std::string_view kTempPrefix = ".cvtmp-";
// The renames of a set in progress: pairs of paths (temporary file, target), each path ended by NUL.
constexpr std::string_view kPendingSetName = ".cvset-pending";

constexpr std::string_view kSetLeftPending =
    "\r\nThe other new files wait beside it and are put in place the next time the folder is read or "
    "written; close any program that holds the file.";

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

// The new content of one target, written and flushed under a short temporary name in the target's
// folder (so that names near the length limit work), then renamed over the target. Until then the
// target is untouched; a pending file that is never committed is removed.
class PendingFile {
public:
    // Writes bytes for target; false with error set (naming target) on any failure.
    bool prepare(std::string target, std::string_view bytes, std::string* error) {
        m_target = std::move(target);
        int code = 0;
        if (!ResolveLinks(m_target, &code)) return fail(code, error);
        // What cannot be renamed over is refused before anything is written, so that a set is never
        // replaced in part.
        if (hostfs::KindOf(m_target) == hostfs::Kind::Folder) return fail(EISDIR, error);
        if (!hostfs::Replaceable(m_target, &code)) return fail(code, error);
        // Keep the permissions of the file being replaced.
        if (!m_file.create(FolderOf(m_target) + "/" + std::string(kTempPrefix) + "XXXXXX", m_target, &code))
            return fail(code, error);

        // With the test hook set, a write that reaches the limit stops there and fails like a full disk.
        const bool injectFailure = g_failAfterBytes && bytes.size() >= *g_failAfterBytes;
        if (!m_file.write(injectFailure ? bytes.substr(0, *g_failAfterBytes) : bytes, &code))
            return fail(code, error);
        if (injectFailure) return fail(ENOSPC, error);
        if (!m_file.finish(&code)) return fail(code, error);
        return true;
    }

    // Renames the written file over its target (a set's files through RenameIntoSet). On failure the
    // file stays under its temporary name until this goes, or for good once kept.
    bool commit(std::string* error,
                bool (*rename)(const std::string&, const std::string&, int*) = hostfs::RenameOver) {
        int code = 0;
        if (!rename(m_file.path(), m_target, &code)) {
            SetError(error, FileMessage("write", m_target, code));
            return false;
        }
        m_file.forget();
        return true;
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
};

} // namespace

bool SaveFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    PendingFile file;
    if (!file.prepare(path, bytes, error) || !file.commit(error)) return false;
    hostfs::SyncFolder(FolderOf(file.target()));
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

bool CompletePendingFileSet(const std::string& folder, std::string* error) {
    const std::string marker = WithSeparator(folder) + std::string(kPendingSetName);
    const auto bytes = ReadFileBytes(marker);
    if (!bytes) return true;
    std::vector<std::string> paths;
    for (std::size_t start = 0, end; (end = bytes->find('\0', start)) != std::string::npos; start = end + 1)
        paths.push_back(bytes->substr(start, end - start));
    bool complete = true;
    for (std::size_t i = 0; i + 1 < paths.size(); i += 2) {
        if (!IsOwnRename(paths[i], paths[i + 1]) || hostfs::KindOf(paths[i], false) == hostfs::Kind::Missing)
            continue;
        int code = 0;
        if (!RenameIntoSet(paths[i], paths[i + 1], &code)) {
            // The note stays, so that a later reader or writer finishes the set.
            if (complete)
                SetError(error, FileMessage("write", paths[i + 1], code) + std::string(kSetLeftPending));
            complete = false;
        }
    }
    if (complete) hostfs::RemoveFile(marker);
    hostfs::SyncFolder(folder);
    return complete;
}

bool ReplaceFileSet(const std::string& folder, const std::vector<FileInSet>& files, std::string* error) {
    const std::string base = WithSeparator(folder);
    // A set that an earlier run could not finish is finished first; no new set goes over half of one.
    if (!CompletePendingFileSet(folder, error)) return false;
    std::vector<std::string> names;
    std::vector<PendingFile> pending(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        // An existing spelling of the name is kept: the exact one, else the first in byte order.
        const auto spellings = NamesIgnoringCase(folder, files[i].name);
        const bool exact = std::find(spellings.begin(), spellings.end(), files[i].name) != spellings.end();
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
    if (!marker.prepare(base + std::string(kPendingSetName), renames, error) || !marker.commit(error))
        return false;
    hostfs::SyncFolder(folder);
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (pending[i].commit(error, RenameIntoSet)) continue;
        if (i == 0) {
            // Nothing is replaced yet: the old set stays whole, the new files go.
            hostfs::RemoveFile(base + std::string(kPendingSetName));
            return false;
        }
        // Part of the set is replaced: the rest stays under its temporary names beside the note, and
        // the next reader or writer of the folder puts it in place; none reads half a set.
        for (std::size_t rest = i; rest < pending.size(); ++rest) pending[rest].keep();
        if (error) *error += kSetLeftPending;
        return false;
    }
    hostfs::RemoveFile(base + std::string(kPendingSetName));
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (const std::string& other : NamesIgnoringCase(folder, files[i].name)) {
            const hostfs::Kind kind = hostfs::KindOf(base + other, false);
            if (other != names[i] && kind != hostfs::Kind::Missing && kind != hostfs::Kind::Folder)
                hostfs::RemoveFile(base + other);
        }
    }
    std::vector<std::string> synced;
    for (const PendingFile& file : pending) {
        const std::string target = FolderOf(file.target());
        if (std::find(synced.begin(), synced.end(), target) != synced.end()) continue;
        hostfs::SyncFolder(target);
        synced.push_back(target);
    }
    return true;
}

} // namespace corvane
