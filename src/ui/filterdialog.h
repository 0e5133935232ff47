#pragma once
// filterFrm: one of the three bulk filters, bound to the FilterEditor. Modal; stays open after a run.

#include <QDialog>

class QLineEdit;
class QProgressBar;

namespace corvane {
class FilterEditor;
class Prompts;
} // namespace corvane

namespace corvane::ui {

class SelectionBox;

class FilterDialog final : public QDialog {
    Q_OBJECT
public:
    FilterDialog(FilterEditor& editor, Prompts& prompts, QWidget* parent);

signals:
    // A run has changed the flights (the dialog stays open).
    void ran();

private:
    void sync();

    FilterEditor& m_editor;
    Prompts& m_prompts;
    SelectionBox* m_selection;
    QLineEdit* m_value;
    QProgressBar* m_progress;
};

} // namespace corvane::ui
