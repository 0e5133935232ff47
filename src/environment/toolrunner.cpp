#include "environment/toolrunner.h"

#include <filesystem>
#include <fstream>

namespace corvane {

bool IsWindowsProgram(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[2] = {};
    return in.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

std::vector<std::string> ToolCommand(const std::string& program, const std::vector<std::string>& arguments,
                                     const std::string& wineProgram) {
    std::error_code ignored;
    const std::string path = program.find('/') == std::string::npos
                                 ? program
                                 : std::filesystem::absolute(program, ignored).string();
    std::vector<std::string> command;
#ifndef _WIN32
    if (IsWindowsProgram(path)) command.push_back(wineProgram);
#else
    (void)wineProgram;
#endif
    command.push_back(path);
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

} // namespace corvane
