#pragma once
// The dialogs of the bulk schedule changes (Flights > "Move an airport's traffic..." and "Set arrival
// times from cruise speeds..."): a description, the fields the change takes, what a run would change
// (countLbl, worked out again after each edit of the fields), a progress bar, Run and Close. Modal; it
// stays open after a run, as the filters do, and Enter presses Close.

#include <QDialog>
#include <functional>
#include <string_view>

class QLabel;
class QProgressBar;

namespace corvane {
class BulkChangeEditor;
class Prompts;
class RerouteEditor;
class RetimeEditor;
} // namespace corvane

namespace corvane::ui {

class BulkChangeDialog final : public QDialog {
    Q_OBJECT
public:
    // fields: the widget of the change's fields, which the dialog takes; its edits call updateCount.
    BulkChangeDialog(const char* name, std::string_view caption, std::string_view info, QWidget* fields,
                     BulkChangeEditor& editor, QWidget* parent);

    void updateCount();

signals:
    // A run changed the traffic (before its report is shown).
    void ran();

private:
    BulkChangeEditor& m_editor;
    QLabel* m_count;
    QProgressBar* m_progress;
};

// The two dialogs, shown modal over parent until closed; ran is called after each run.
void ShowRetimeDialog(RetimeEditor& editor, Prompts& prompts, const std::function<void()>& ran,
                      QWidget* parent);
void ShowRerouteDialog(RerouteEditor& editor, Prompts& prompts, const std::function<void()>& ran,
                       QWidget* parent);

} // namespace corvane::ui
