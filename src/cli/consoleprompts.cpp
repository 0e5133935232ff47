#include "cli/consoleprompts.h"

namespace corvane::cli {

std::string MessageLine(const std::string& title, const std::string& text) {
    std::string line = title + ": ";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line += ' ';
            ++i;
        } else {
            line += text[i];
        }
    }
    return line;
}

Answer ConsolePrompts::ask(const Prompt& prompt) {
    ++m_messages;
    if (prompt.title == "Error reading file" || prompt.title == "Error writing file") m_fileError = true;
    m_err << MessageLine(prompt.title, prompt.text) << '\n';
    return prompt.buttons == Buttons::Ok ? Answer::Ok : prompt.defaultAnswer;
}

} // namespace corvane::cli
