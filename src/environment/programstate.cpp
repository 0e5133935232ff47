#include "environment/programstate.h"

#include "traffic/paths.h"

namespace corvane {

std::string ProgramFolderOf(std::string_view executablePath) {
    const auto p = executablePath.rfind(kSeparator);
    if (p == std::string_view::npos) return WithSeparator(".");
    return WithSeparator(executablePath.substr(0, p + 1));
}

} // namespace corvane
