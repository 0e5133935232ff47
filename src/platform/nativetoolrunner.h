#pragma once
// ToolRunner on the operating system's own process calls, for programs without Qt (corvane-cli):
// the child gets the working folder, the caller's current folder never changes, and the program's
// standard output and error are collected. A Windows program is started through Wine on other
// systems. Waits until the program has ended, was cancelled through the run's progress, or ran past
// its time limit.

#include "platform/toolrunner.h"

namespace corvane {

class NativeToolRunner final : public ToolRunner {
public:
    // wineProgram: the name or path of the program that runs Windows programs.
    explicit NativeToolRunner(std::string wineProgram = "wine")
        : m_wineProgram(std::move(wineProgram)) {}

    ToolResult run(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& workingFolder, const ToolRunOptions& options = {}) override;

private:
    std::string m_wineProgram;
};

} // namespace corvane
