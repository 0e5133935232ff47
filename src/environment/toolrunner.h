#pragma once
// Runs an external program (the traffic compiler and decompiler) and waits, without time limit, until
// it has ended. The working folder is the child's alone: the caller's current folder never changes.
// A tool that could not be started or that failed is a value the caller must look at.

#include <string>
#include <vector>

namespace corvane {

struct ToolResult {
    bool started = false;
    // The exit code of a program that ended normally; -1 when it was not started or crashed.
    int exitCode = -1;
    // Why it could not be started or did not end normally; "" otherwise.
    std::string error;
    // What the program wrote to its standard output and error streams.
    std::string output;

    bool succeeded() const { return started && exitCode == 0; }
};

// True when the file at path starts with the two bytes "MZ" of a Windows program; on other systems
// such a program is started through Wine.
bool IsWindowsProgram(const std::string& path);

// The command that runs program with arguments: the program's path, taken from the caller's current
// folder when it names folders, then the arguments; a Windows program is started through
// wineProgram on other systems (the program's path becoming its first argument).
std::vector<std::string> ToolCommand(const std::string& program, const std::vector<std::string>& arguments,
                                     const std::string& wineProgram);

// The longest output of a tool that a result keeps (its start).
inline constexpr std::size_t kToolOutputLimit = 64 * 1024;

class ToolRunner {
public:
    virtual ~ToolRunner() = default;
    virtual ToolResult run(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& workingFolder) = 0;
};

} // namespace corvane
