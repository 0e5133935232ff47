#pragma once
// Prompts shown as real dialogs: message boxes, the file dialog and the input box, owned by a parent
// window.

#include "traffic/prompts.h"

#include <QString>

class QWidget;

namespace corvane::ui {

class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent)
        : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer ask(const Prompt& prompt) override;
    std::optional<std::string> file(const FileRequest& request) override;
    std::optional<std::string> input(const InputRequest& request) override;

private:
    QWidget* m_parent;
};

// A file-dialog filter from "Name (*.cvp)|*.cvp" notation to the dialog's own: the name as written, then
// the patterns in parentheses, each matched without regard to case ("*.cvp" also finds "EUROPE.CVP").
// A dialog told to hide a filter's details shows the name alone: "Corvane Project (*.cvp)".
QString DialogFilter(std::string_view filter);

} // namespace corvane::ui
