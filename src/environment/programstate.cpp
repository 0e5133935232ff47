#include "environment/programstate.h"

#include "platform/hostfs.h"
#include "platform/paths.h"

namespace corvane {

std::string ProgramFolderOf(std::string_view executablePath) {
    const auto p = executablePath.rfind(kSeparator);
    if (p == std::string_view::npos) return WithSeparator(".");
    return WithSeparator(executablePath.substr(0, p + 1));
}

std::string RunningProgramFolder(const char* argv0) {
    const std::string running = hostfs::RunningProgramPath();
    if (!running.empty()) return ProgramFolderOf(running);
    return ProgramFolderOf(hostfs::AbsolutePath(hostfs::HostPath(argv0 ? argv0 : "")));
}

} // namespace corvane
