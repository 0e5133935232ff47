#pragma once
// Runs a program as its own process for the tests of the stand-in tools: in a working folder, with
// WINEPREFIX set, its standard error collected.

#include <string>
#include <vector>

namespace corvane::test {

struct ProgramRun {
    int exitCode = -1; // -1 when it did not end normally
    std::string errors;
};

// With memoryLimit (bytes), the program's address space is limited to it.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingFolder, const std::string& winePrefix,
                      unsigned long long memoryLimit = 0);

} // namespace corvane::test
