#pragma once
// Every message box, question, file dialog and input box of Corvane goes through this one interface.
// The core hands it what to show (title, text, icon, buttons) and acts on the answer; the widgets
// implement it with real dialogs, tests with a script, the command-line tool by printing.
// Texts are Windows-1252 bytes; lines inside a text are joined by CR LF.

#include <optional>
#include <string>

namespace corvane {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct Prompt {
    std::string title;
    std::string text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultAnswer = Answer::Ok;
    // Captions for the Yes and No buttons when a question names its choices ("Compile anyway");
    // empty for the usual "Yes" and "No". Escape always gives the last button (No, or Cancel).
    std::string yesText = {};
    std::string noText = {};
};

struct FileRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::string title;
    // In the dialogs' own notation: "Corvane Project (*.cvp)|*.cvp".
    std::string filter;
    std::string initialName;
};

struct InputRequest {
    std::string title;
    std::string prompt;
    std::string initialText;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual Answer ask(const Prompt& prompt) = 0;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<std::string> file(const FileRequest& request) = 0;
    // The text entered, or nullopt when the user cancelled.
    virtual std::optional<std::string> input(const InputRequest& request) = 0;

    // Shorthands for the common shapes.
    void message(std::string title, std::string text, Icon icon) {
        ask({std::move(title), std::move(text), icon, Buttons::Ok, Answer::Ok});
    }
    bool question(std::string title, std::string text, Icon icon, Answer defaultAnswer) {
        return ask({std::move(title), std::move(text), icon, Buttons::YesNo, defaultAnswer}) == Answer::Yes;
    }
    // Yes, No or Cancel.
    Answer questionWithCancel(std::string title, std::string text, Icon icon, Answer defaultAnswer) {
        return ask({std::move(title), std::move(text), icon, Buttons::YesNoCancel, defaultAnswer});
    }
};

// For programs without a user (fuzz targets, the benchmark): every message and question gets its
// default answer, every file and input request is cancelled, and what was asked is counted.
class CountingPrompts final : public Prompts {
public:
    Answer ask(const Prompt& prompt) override {
        ++m_count;
        m_last = prompt;
        return prompt.defaultAnswer;
    }
    std::optional<std::string> file(const FileRequest&) override {
        ++m_count;
        return std::nullopt;
    }
    std::optional<std::string> input(const InputRequest&) override {
        ++m_count;
        return std::nullopt;
    }

    int count() const { return m_count; }
    // The last message or question shown.
    const Prompt& last() const { return m_last; }

private:
    int m_count = 0;
    Prompt m_last;
};

} // namespace corvane
