#pragma once
// Runs an external program (the traffic compiler and decompiler, Wine's own programs) and waits until
// it has ended, was cancelled by the user, or ran past its time limit; a tool is never waited on
// forever. The working folder is the child's alone: the caller's current folder never changes. A tool
// that could not be started, failed or was stopped is a value the caller must look at.

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

class Progress;

// Why a run did not end by itself.
enum class ToolStop {
    None,
    Cancelled, // the user asked to stop it
    TimedOut,  // it ran past its time limit
};

struct ToolResult {
    bool started = false;
    // The exit code of a program that ended normally; -1 when it was not started, crashed or was stopped.
    int exitCode = -1;
    // Why it could not be started or did not end normally; "" otherwise.
    std::string error;
    // What the program wrote to its standard output and error streams.
    std::string output;
    ToolStop stop = ToolStop::None;

    bool succeeded() const { return started && stop == ToolStop::None && exitCode == 0; }
};

inline constexpr std::chrono::minutes kDefaultToolTimeLimit{10};

struct ToolRunOptions {
    // While the tool runs, progress shows a wait with title, note (when not empty) and the seconds
    // that have passed, and may let the user cancel it when cancellable. Without progress the runner
    // still keeps the windows painting but shows nothing and cannot be cancelled.
    Progress* progress = nullptr;
    std::string title;
    std::string note;
    bool cancellable = false;
    // A tool still running after this long is stopped and reported.
    std::chrono::milliseconds timeLimit = kDefaultToolTimeLimit;
    // Variables set for the child on top of the caller's environment.
    std::vector<std::pair<std::string, std::string>> environment;
};

// True when the file at path starts with the two bytes "MZ" of a Windows program; on other systems
// such a program is started through Wine.
bool IsWindowsProgram(const std::string& path);

// The command that runs program with arguments: the program's path, taken from the caller's current
// folder when it names folders, then the arguments; a Windows program is started through
// wineProgram on other systems (the program's path becoming its first argument).
std::vector<std::string> ToolCommand(const std::string& program, const std::vector<std::string>& arguments,
                                     const std::string& wineProgram);

// The command line that gives a Windows program exactly these arguments (the program first), as its C
// runtime and CommandLineToArgvW split a command line.
std::string WindowsCommandLine(const std::vector<std::string>& command);

// The longest output of a tool that a result keeps (its start).
inline constexpr std::size_t kToolOutputLimit = 64 * 1024;
// Appends bytes to output as far as the limit allows.
void AppendToolOutput(std::string& output, std::string_view bytes);

// How long a stopped tool is given to end after it was asked to, before it is killed.
inline constexpr std::chrono::milliseconds kToolStopGrace{3000};

// The error text of a run stopped for stop after elapsed: "'TDecompiler.exe' was cancelled.", "...
// did not end within 10 minutes and was stopped."
std::string ToolStopText(const std::string& program, ToolStop stop, std::chrono::milliseconds timeLimit);

// "10 minutes", "1 minute", "90 seconds": a time limit in words.
std::string TimeLimitText(std::chrono::milliseconds duration);

class ToolRunner {
public:
    virtual ~ToolRunner() = default;
    virtual ToolResult run(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& workingFolder, const ToolRunOptions& options = {}) = 0;
};

} // namespace corvane
