#pragma once
// ToolRunner on QProcess. A Windows program (a file starting with the bytes "MZ") is started through
// Wine on other systems: the Wine program is run with the program's path as its first argument.
// It waits in an event loop of its own, so that the windows keep painting while a tool runs; it needs
// a QCoreApplication.

#include "platform/toolrunner.h"

namespace corvane {

class QtToolRunner final : public ToolRunner {
public:
    // wineProgram: the name or path of the program that runs Windows programs.
    explicit QtToolRunner(std::string wineProgram = "wine")
        : m_wineProgram(std::move(wineProgram)) {}

    ToolResult run(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& workingFolder, const ToolRunOptions& options = {}) override;

private:
    std::string m_wineProgram;
};

} // namespace corvane
