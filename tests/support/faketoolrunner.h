#pragma once
// A ToolRunner for tests: records every run and answers from a script. Each scripted step may act
// first (write the files a tool would leave, or leave them out) and then returns its result; a run
// with no step left fails the test and reports that the program could not be started.

#include "platform/toolrunner.h"

#include <deque>
#include <functional>

namespace corvane::test {

class FakeToolRunner final : public ToolRunner {
public:
    struct Call {
        std::string program;
        std::vector<std::string> arguments;
        std::string workingFolder;
        ToolRunOptions options;
    };
    using Action = std::function<void(const Call&)>;

    ~FakeToolRunner() override;

    // The next run performs action (when given) and returns result.
    FakeToolRunner& expect(ToolResult result, Action action = {});
    // Shorthands: a run that exits with exitCode after action, and one that cannot start.
    FakeToolRunner& expectExit(int exitCode, Action action = {});
    FakeToolRunner& expectStartFailure(std::string error);

    ToolResult run(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& workingFolder, const ToolRunOptions& options = {}) override;

    const std::vector<Call>& calls() const { return m_calls; }

private:
    struct Step {
        ToolResult result;
        Action action;
    };
    std::deque<Step> m_script;
    std::vector<Call> m_calls;
};

} // namespace corvane::test
