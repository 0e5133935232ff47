#include "environment/toolrunner.h"

#include <algorithm>
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

void AppendToolOutput(std::string& output, std::string_view bytes) {
    const std::size_t room = kToolOutputLimit - std::min(kToolOutputLimit, output.size());
    output.append(bytes.substr(0, room));
}

std::string TimeLimitText(std::chrono::milliseconds duration) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration).count();
    if (seconds % 60 == 0 && seconds > 0)
        return std::to_string(seconds / 60) + (seconds == 60 ? " minute" : " minutes");
    if (seconds >= 1) return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
    return std::to_string(duration.count()) + " ms";
}

std::string ToolStopText(const std::string& program, ToolStop stop, std::chrono::milliseconds timeLimit) {
    switch (stop) {
    case ToolStop::Cancelled:
        return "'" + program + "' was cancelled.";
    case ToolStop::TimedOut:
        return "'" + program + "' did not end within " + TimeLimitText(timeLimit) + " and was stopped.";
    case ToolStop::None:
        break;
    }
    return {};
}

} // namespace corvane
