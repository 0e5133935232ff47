#include "platform/toolrunner.h"

#include "platform/hostfs.h"

#include <algorithm>

namespace corvane {

bool IsWindowsProgram(const std::string& path) {
    std::uint64_t size = 0;
    const auto start = hostfs::ReadFileStart(path, 2, &size, nullptr);
    return start && *start == "MZ";
}

std::vector<std::string> ToolCommand(const std::string& program, const std::vector<std::string>& arguments,
                                     const std::string& wineProgram) {
    const std::string path = program.find('/') == std::string::npos ? program : hostfs::AbsolutePath(program);
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

namespace {

// One argument as the C runtime splits a command line: quoted when it holds blanks, tabs or quotes
// (or is empty), a quote escaped by a backslash, backslashes doubled where they precede a quote.
void AppendArgument(std::string& line, std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos) {
        line += argument;
        return;
    }
    line += '"';
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, '\\');
    line += '"';
}

} // namespace

std::string WindowsCommandLine(const std::vector<std::string>& command) {
    std::string line;
    for (std::size_t i = 0; i < command.size(); ++i) {
        if (i > 0) {
            line += ' ';
            AppendArgument(line, command[i]);
            continue;
        }
        // The program's name is read up to the next blank, or between quotes without escapes (a path
        // cannot hold a quote).
        const std::string& program = command[0];
        const bool plain = !program.empty() && program.find_first_of(" \t") == std::string::npos;
        line += plain ? program : "\"" + program + "\"";
    }
    return line;
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
