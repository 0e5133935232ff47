#include "scriptedprompts.h"

#include <gtest/gtest.h>

namespace corvane::test {

namespace {

const char* KindName(int kind) {
    static const char* names[] = {"message", "file dialog", "input box"};
    return names[kind];
}

} // namespace

ScriptedPrompts::~ScriptedPrompts() {
    for (const Step& step : m_script)
        ADD_FAILURE() << "expected " << KindName(static_cast<int>(step.kind)) << " '" << step.title
                      << "' was never shown";
}

ScriptedPrompts& ScriptedPrompts::expect(std::string title, Answer answer) {
    m_script.push_back({Kind::Ask, std::move(title), answer, std::nullopt});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectFile(std::optional<std::string> path) {
    m_script.push_back({Kind::File, {}, Answer::Ok, std::move(path)});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectInput(std::optional<std::string> text) {
    m_script.push_back({Kind::Input, {}, Answer::Ok, std::move(text)});
    return *this;
}

Answer ScriptedPrompts::ask(const Prompt& prompt) {
    m_shown.push_back(prompt);
    if (m_script.empty() || m_script.front().kind != Kind::Ask) {
        ADD_FAILURE() << "unexpected message '" << prompt.title << "': " << prompt.text;
        return prompt.buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    Step step = m_script.front();
    m_script.pop_front();
    EXPECT_EQ(step.title, prompt.title) << "message text: " << prompt.text;
    return step.answer;
}

std::optional<std::string> ScriptedPrompts::nextText(Kind kind, const std::string& title) {
    if (m_script.empty() || m_script.front().kind != kind) {
        ADD_FAILURE() << "unexpected " << KindName(static_cast<int>(kind)) << " '" << title << "'";
        return std::nullopt;
    }
    auto text = m_script.front().text;
    m_script.pop_front();
    return text;
}

std::optional<std::string> ScriptedPrompts::file(const FileRequest& request) {
    m_fileRequests.push_back(request);
    return nextText(Kind::File, request.title);
}

std::optional<std::string> ScriptedPrompts::input(const InputRequest& request) {
    m_inputRequests.push_back(request);
    return nextText(Kind::Input, request.title);
}

} // namespace corvane::test
