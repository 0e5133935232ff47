#include "platform/wineprefix.h"

#include "platform/paths.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace corvane {

namespace {

bool IsDriveName(std::string_view name) {
    if (name.size() != 2 || name[1] != ':') return false;
    const char c = name[0];
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char UpperLetter(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == kSeparator) path.pop_back();
    return path;
}

// The part of path below folder, or nullopt when folder does not hold path.
std::optional<std::string_view> Below(std::string_view path, std::string_view folder) {
    if (folder == "/") return path.substr(1);
    if (!path.starts_with(folder)) return std::nullopt;
    const std::string_view rest = path.substr(folder.size());
    if (rest.empty()) return rest;
    if (rest.front() != kSeparator) return std::nullopt;
    return rest.substr(1);
}

std::string WithBackslashes(std::string_view path) {
    std::string result(path);
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

} // namespace

WinePrefix::WinePrefix(std::string_view folder)
    : m_folder(folder.empty() ? std::string() : WithSeparator(folder)) {}

WinePrefix WinePrefix::fromEnvironment() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return WinePrefix(prefix);
    if (const char* home = std::getenv("HOME"); home && *home)
        return WinePrefix(WithSeparator(home) + ".wine");
    return WinePrefix("");
}

std::string WinePrefix::systemRegPath() const {
    return m_folder.empty() ? std::string() : m_folder + "system.reg";
}

std::vector<WinePrefix::Drive> WinePrefix::drives() const {
    std::vector<Drive> result;
    if (m_folder.empty()) return result;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(m_folder + "dosdevices", error)) {
        const std::string name = entry.path().filename().string();
        if (!IsDriveName(name)) continue;
        std::error_code ignored;
        const fs::path target = fs::canonical(entry.path(), ignored);
        if (ignored) continue; // a link to nothing names no drive
        result.push_back({UpperLetter(name[0]), WithoutTrailingSeparators(target.string())});
    }
    std::sort(result.begin(), result.end(),
              [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
    return result;
}

std::string WinePrefix::toHostPath(std::string_view windowsPath) const {
    if (windowsPath.size() < 2 || !IsDriveName(windowsPath.substr(0, 2))) return {};
    const char letter = UpperLetter(windowsPath[0]);
    const auto all = drives();
    const auto drive =
        std::find_if(all.begin(), all.end(), [&](const Drive& d) { return d.letter == letter; });
    if (drive == all.end()) return {};

    // Built in place, so that the cost stays linear in the length of the value, however many names
    // it holds.
    std::string path = drive->folder;
    path.reserve(path.size() + windowsPath.size() + 1);
    std::string_view rest = windowsPath.substr(2);
    const bool trailing = !rest.empty() && (rest.back() == '\\' || rest.back() == '/');
    while (!rest.empty()) {
        const auto next = rest.find_first_of("\\/");
        const std::string_view name = rest.substr(0, next);
        rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
        if (name.empty() || name == ".") continue;
        if (path.empty() || path.back() != kSeparator) path += kSeparator;
        path += name;
    }
    if (trailing) path = WithSeparator(path);
    if (auto found = FindPath(path)) return *found;
    // A host name that is not UTF-8 went into the registry as the characters of its bytes: those
    // bytes are the name.
    std::string bytes;
    if (Latin1Bytes(path, bytes) && bytes != path)
        if (auto found = FindPath(bytes)) return *found;
    return path;
}

std::string WinePrefix::toWindowsPath(std::string_view hostPath) const {
    if (hostPath.empty()) return {};
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(hostPath), error);
    if (error) absolute = fs::path(hostPath);
    fs::path canonical = fs::weakly_canonical(absolute, error);
    if (error) canonical = absolute.lexically_normal();
    const bool trailing = hostPath.back() == kSeparator;
    const std::string path = WithoutTrailingSeparators(canonical.string());

    const Drive* best = nullptr;
    std::string_view bestRest;
    const auto all = drives();
    for (const Drive& drive : all) {
        const auto rest = Below(path, drive.folder);
        if (rest && (!best || drive.folder.size() > best->folder.size())) {
            best = &drive;
            bestRest = *rest;
        }
    }
    if (!best) return "Z:" + WithBackslashes(path) + (trailing && path != "/" ? "\\" : "");
    std::string result = std::string(1, best->letter) + ":\\" + WithBackslashes(bestRest);
    if (trailing && !bestRest.empty()) result += '\\';
    return result;
}

} // namespace corvane
