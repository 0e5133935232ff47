#pragma once
// Runs a program (a stand-in tool, the command line) as its own process: in a working folder, with
// variables such as those that let it find the test's simulator (SimulatorRegistration::environment),
// its standard error collected.

#include <string>
#include <utility>
#include <vector>

namespace corvane::test {

struct ProgramRun {
    int exitCode = -1; // -1 when it did not end normally
    std::string errors;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// With memoryLimit (bytes), the program's address space is limited to it (POSIX systems only).
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingFolder, const Environment& environment,
                      unsigned long long memoryLimit = 0);

} // namespace corvane::test
