#pragma once
// A Prompts that follows a script: each expected prompt names its title and the answer to give. An
// unexpected prompt, a prompt with another title, or an expectation left unused fails the test.

#include "traffic/prompts.h"

#include <deque>
#include <string>
#include <vector>

namespace corvane::test {

class ScriptedPrompts final : public Prompts {
public:
    ~ScriptedPrompts() override;

    // The next message or question must carry this title; it gets the answer.
    ScriptedPrompts& expect(std::string title, Answer answer = Answer::Ok);
    // The next file dialog gets this path (nullopt: cancelled).
    ScriptedPrompts& expectFile(std::optional<std::string> path);
    ScriptedPrompts& expectInput(std::optional<std::string> text);

    Answer ask(const Prompt& prompt) override;
    std::optional<std::string> file(const FileRequest& request) override;
    std::optional<std::string> input(const InputRequest& request) override;

    const std::vector<Prompt>& shown() const { return m_shown; }
    const std::vector<FileRequest>& fileRequests() const { return m_fileRequests; }
    const std::vector<InputRequest>& inputRequests() const { return m_inputRequests; }
    bool done() const { return m_script.empty(); }

private:
    enum class Kind { Ask, File, Input };
    struct Step {
        Kind kind;
        std::string title;
        Answer answer = Answer::Ok;
        std::optional<std::string> text;
    };
    // The answer of the next step, which must be a file dialog or an input box (kind).
    std::optional<std::string> nextText(Kind kind, const std::string& title);
    std::deque<Step> m_script;
    std::vector<Prompt> m_shown;
    std::vector<FileRequest> m_fileRequests;
    std::vector<InputRequest> m_inputRequests;
};

} // namespace corvane::test
