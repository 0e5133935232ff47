#pragma once
// What the two stand-in tools share around their work: the command line, finding the simulator
// through the registry (Windows' own, or the Wine prefix's), and the report of a failure on the
// standard error stream.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace corvane {

// The work of one tool, given the simulator's folder and the current folder (both ending in the
// separator); false with error set on failure.
using ToolWork =
    std::function<bool(const std::string& fsFolder, const std::string& workFolder, std::string* error)>;

// Checks that every argument is one of switches (letter case ignored), finds the simulator and runs
// work. Returns the exit code: 0 on success, 1 on failure, 2 for an unknown argument.
int RunStandInTool(std::string_view name, int argc, char** argv,
                   std::initializer_list<std::string_view> switches, const ToolWork& work);

} // namespace corvane
