#include "faketoolrunner.h"

#include <gtest/gtest.h>

namespace corvane::test {

FakeToolRunner::~FakeToolRunner() {
    if (!m_script.empty()) ADD_FAILURE() << m_script.size() << " expected tool run(s) never happened";
}

FakeToolRunner& FakeToolRunner::expect(ToolResult result, Action action) {
    m_script.push_back({std::move(result), std::move(action)});
    return *this;
}

FakeToolRunner& FakeToolRunner::expectExit(int exitCode, Action action) {
    ToolResult result;
    result.started = true;
    result.exitCode = exitCode;
    return expect(std::move(result), std::move(action));
}

FakeToolRunner& FakeToolRunner::expectStartFailure(std::string error) {
    ToolResult result;
    result.error = std::move(error);
    return expect(std::move(result));
}

ToolResult FakeToolRunner::run(const std::string& program, const std::vector<std::string>& arguments,
                               const std::string& workingFolder, const ToolRunOptions& options) {
    m_calls.push_back({program, arguments, workingFolder, options});
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected run of '" << program << "'";
        ToolResult result;
        result.error = "no run of '" + program + "' was expected";
        return result;
    }
    Step step = std::move(m_script.front());
    m_script.pop_front();
    if (step.action) step.action(m_calls.back());
    return step.result;
}

} // namespace corvane::test
