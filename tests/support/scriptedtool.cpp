#include "scriptedtool.h"

#include "hostpath.h"

#include <filesystem>

namespace corvane::test {

std::string ScriptedTool(const TempDir& dir, std::string_view relativePath, std::string_view script) {
    const std::string path = dir.write(std::string(relativePath) + ".script", script);
    const std::string program = path.substr(0, path.size() - 7);
    std::filesystem::copy_file(FsPath(CORVANE_SCRIPT_TOOL), FsPath(program),
                               std::filesystem::copy_options::overwrite_existing);
    return program;
}

} // namespace corvane::test
