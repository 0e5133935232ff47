#include "environment/scratch.h"

#include "traffic/paths.h"
#include "traffic/text.h"

#include <array>
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

std::string BackupTrafficBgl(const std::string& fsFolder) {
    const std::string source = TrafficBglPath(fsFolder);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string target = WithSeparator(BackupFolderPath(fsFolder)) + BackupFileName(local);
    std::error_code error;
    if (!fs::is_regular_file(source, error)) return {};
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    return error ? std::string() : target;
}

} // namespace corvane
