#pragma once
// Prompts for the command line: a message is printed to the error stream as one line "TITLE: TEXT"
// (each CR LF of the text becomes one blank). Nobody is there to answer, so a question takes its
// default answer and a file dialog or input box is cancelled.

#include "traffic/prompts.h"

#include <ostream>

namespace corvane::cli {

class ConsolePrompts final : public Prompts {
public:
    explicit ConsolePrompts(std::ostream& err)
        : m_err(err) {}

    Answer ask(const Prompt& prompt) override;
    std::optional<std::string> file(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> input(const InputRequest&) override { return std::nullopt; }

    int messageCount() const { return m_messages; }
    // True once a file could not be read or written ("Error reading file", "Error writing file").
    bool fileErrorShown() const { return m_fileError; }

private:
    std::ostream& m_err;
    int m_messages = 0;
    bool m_fileError = false;
};

// "TITLE: TEXT" with each CR LF of the text replaced by one blank.
std::string MessageLine(const std::string& title, const std::string& text);

} // namespace corvane::cli
