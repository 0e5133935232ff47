#include "platform/paths.h"

#include "platform/hostfs.h"

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

bool Exists(const std::string& path) {
    return hostfs::KindOf(path) != hostfs::Kind::Missing;
}

std::optional<std::string> FindInFolder(const std::string& folder, std::string_view name) {
    const auto names = NamesIgnoringCase(folder, name);
    if (names.empty()) return std::nullopt;
    return names.front();
}

} // namespace

std::vector<std::string> NamesIgnoringCase(const std::string& folder, std::string_view name) {
    std::vector<std::string> names;
    for (std::string& candidate : hostfs::FolderNames(folder))
        if (hostfs::SameName(candidate, name)) names.push_back(std::move(candidate));
    std::sort(names.begin(), names.end());
    return names;
}

std::string WithSeparator(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != kSeparator) result += kSeparator;
    return result;
}

std::optional<std::string> FindPath(std::string_view path) {
    // A path longer than the system takes names nothing; refusing it at once keeps the walk below,
    // which costs the square of the length, bounded.
    if (path.empty() || path.size() >= hostfs::kMaxPath) return std::nullopt;
    std::string exact(path);
    if (Exists(exact)) return hostfs::AsStored(exact);

    std::string current;
    std::size_t pos = 0;
    if (path.front() == kSeparator) {
        current = "/";
        pos = 1;
    }
    while (pos <= path.size()) {
        auto next = path.find(kSeparator, pos);
        if (next == std::string_view::npos) next = path.size();
        const std::string_view component = path.substr(pos, next - pos);
        pos = next + 1;
        if (component.empty() || component == ".") continue;
        const std::string prefix =
            current.empty() || current.back() == kSeparator ? current : current + kSeparator;
        std::string candidate = prefix + std::string(component);
        if (!Exists(candidate)) {
            const auto match = component == ".." ? std::nullopt : FindInFolder(current, component);
            if (!match) return std::nullopt;
            candidate = prefix + *match;
        }
        current = std::move(candidate);
    }
    current = hostfs::AsStored(current);
    // Keep a trailing separator of the question in the answer.
    if (path.back() == kSeparator && (current.empty() || current.back() != kSeparator)) current += kSeparator;
    return current;
}

bool PathExists(std::string_view path, bool fileOnly) {
    if (path.empty()) return false;
    if (path.size() >= 2 && path[path.size() - 1] == kSeparator && path[path.size() - 2] == kSeparator)
        return false;
    const auto found = FindPath(path);
    if (!found) return false;
    const hostfs::Kind kind = hostfs::KindOf(*found);
    if (kind == hostfs::Kind::Missing) return false;
    if (kind != hostfs::Kind::Folder) return path.back() != kSeparator; // "name/" never names a file
    return !fileOnly;
}

} // namespace corvane
