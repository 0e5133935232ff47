#include "environment/scratch.h"

#include "platform/hostfs.h"
#include "platform/paths.h"
#include "platform/tempfiles.h"
#include "platform/textfile.h"
#include "traffic/text.h"

#include <array>
#include <cerrno>
#include <optional>

namespace corvane {

namespace {

// Every entry of folder whose name equals name without regard to case.
void RemoveMatching(const std::string& folder, std::string_view name, bool recursive) {
    const std::string base = WithSeparator(folder);
    for (const std::string& entry : hostfs::FolderNames(folder)) {
        if (!EqualsIgnoringCase(entry, name)) continue;
        if (recursive)
            hostfs::RemoveTree(base + entry);
        else if (hostfs::KindOf(base + entry) != hostfs::Kind::Folder)
            hostfs::RemoveFile(base + entry);
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
    hostfs::MakeFolders(path);
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

// The name for the n-th backup of a minute: "Traffic (...).bgl", then "Traffic (...) (2).bgl", ...
std::string NumberedName(const std::string& name, int n) {
    if (n == 1) return name;
    return name.substr(0, name.size() - 4) + " (" + std::to_string(n) + ").bgl";
}

// Why folder could not be made: what stands where it should be, or the system's reason (code).
std::string FolderFailure(const std::string& folder, int code) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == kSeparator) path.pop_back();
    switch (hostfs::KindOf(path, false)) {
    case hostfs::Kind::Link: {
        int error = 0;
        const auto target = hostfs::LinkTarget(path, &error);
        const std::string link = "''" + path + "'' is a link" + (target ? " to ''" + *target + "''" : "");
        if (hostfs::KindOf(path) == hostfs::Kind::Missing)
            return link + (target ? ", which does not exist." : " whose target does not exist.");
        return link + (target ? ", which is not a folder." : " to something that is not a folder.");
    }
    case hostfs::Kind::File:
    case hostfs::Kind::Other:
        return "''" + path + "'' is a file, not a folder.";
    case hostfs::Kind::Missing:
    case hostfs::Kind::Folder:
        break;
    }
    return "The folder ''" + folder + "'' could not be made: " + hostfs::ErrorText(code ? code : ENOTDIR);
}

// Gives the complete temporary copy the first free name of the minute, never replacing an entry
// that exists (a link there is not followed). Returns the name, or nullopt with code set. Only a name
// that is taken sends the copy on to the next one; any other failure is the answer.
std::optional<std::string> ClaimName(const std::string& temp, const std::string& folder,
                                     const std::string& name, int* code) {
    for (int n = 1; n <= 10000; ++n) {
        const std::string target = folder + NumberedName(name, n);
        if (hostfs::RenameNoReplace(temp, target, code)) return target;
        // A system may refuse a taken name with another error than EEXIST; it is taken all the same.
        if (*code != EEXIST && hostfs::KindOf(target, false) == hostfs::Kind::Missing) return std::nullopt;
    }
    *code = EEXIST;
    return std::nullopt;
}

} // namespace

Backup BackupTrafficBgl(const std::string& fsFolder, const std::tm& when) {
    const std::string sourcePath = TrafficBglPath(fsFolder);
    const std::string folder = WithSeparator(BackupFolderPath(fsFolder));
    const std::string wanted = folder + BackupFileName(when);

    // Only a regular file is read (a named pipe or a device in its place could make the copy wait
    // forever), whole, and it must have kept its size while it was read.
    int code = 0;
    bool opened = false;
    std::uint64_t size = 0;
    const auto bytes = hostfs::ReadFileStart(sourcePath, std::string::npos, &size, &code, &opened);
    if (!bytes) {
        if (!opened && code == ENOENT) return {};
        if (opened && (code == EISDIR || code == EINVAL))
            return Failed(wanted, "''" + sourcePath + "'' is not a file.");
        return Failed(wanted, "Could not read ''" + sourcePath + "'': " + hostfs::ErrorText(code));
    }

    int created = 0;
    if (!hostfs::MakeFolders(folder, &created)) return Failed(wanted, FolderFailure(folder, created));

    // What killed compiles left behind goes first.
    RemoveLeftOverTempFiles(folder);
    hostfs::NewFile copy;
    if (!copy.create(TempFilePattern(folder), sourcePath, &code))
        return Failed(wanted, hostfs::ErrorText(code));
    if (!copy.write(*bytes, &code) || !copy.finish(&code)) return Failed(wanted, hostfs::ErrorText(code));
    // The copy is not the size of the traffic file: it changed while it was read.
    if (bytes->size() != size || hostfs::StampOf(copy.path()).size != size)
        return Failed(wanted, hostfs::ErrorText(EIO));
    const auto claimed = ClaimName(copy.path(), folder, BackupFileName(when), &code);
    if (!claimed) return Failed(wanted, hostfs::ErrorText(code));
    copy.forget();
    hostfs::SyncFolder(folder);
    return {Backup::Status::Made, *claimed, {}};
}

Backup BackupTrafficBgl(const std::string& fsFolder) {
    return BackupTrafficBgl(fsFolder, hostfs::LocalTime(std::time(nullptr)));
}

} // namespace corvane
