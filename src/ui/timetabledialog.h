#pragma once
// timetableFrm: the preview of File > "Import Timetable...", bound to the TimetableEditor. Modal: the
// counts, the problems in a table, the options (which re-plan at once), and "Import", which adds the
// plan as one step, or "Cancel" (the default button, and Esc), which changes nothing.

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace corvane {
class Prompts;
class TimetableEditor;
} // namespace corvane

namespace corvane::ui {

class RowsModel;

class TimetableDialog final : public QDialog {
    Q_OBJECT
public:
    TimetableDialog(TimetableEditor& editor, Prompts& prompts, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Runs an option's change, which plans again, and shows the new plan.
    void replan(const std::function<void()>& change);
    void sync();

    TimetableEditor& m_editor;
    RowsModel* m_model;
    QLabel* m_counts;
    QTreeView* m_problems;
    QComboBox* m_zone;
    QLineEdit* m_percent;
    QLineEdit* m_altitude;
    QLineEdit* m_tail;
    QRadioButton* m_ifr;
    QRadioButton* m_vfr;
    QPushButton* m_import;
};

} // namespace corvane::ui
