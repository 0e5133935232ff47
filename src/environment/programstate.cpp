#include "environment/programstate.h"

#include "traffic/paths.h"

#include <filesystem>
#include <unistd.h>

namespace corvane {

std::string ProgramFolderOf(std::string_view executablePath) {
    const auto p = executablePath.rfind(kSeparator);
    if (p == std::string_view::npos) return WithSeparator(".");
    return WithSeparator(executablePath.substr(0, p + 1));
}

std::string RunningProgramFolder(const char* argv0) {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length > 0 && static_cast<std::size_t>(length) < path.size()) {
        path.resize(static_cast<std::size_t>(length));
        return ProgramFolderOf(path);
    }
    std::error_code ignored;
    const std::string given = argv0 ? argv0 : "";
    return ProgramFolderOf(std::filesystem::absolute(given, ignored).string());
}

} // namespace corvane
