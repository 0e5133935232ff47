#pragma once
// optionsFrm: the simulator's main folder, the traffic check's turnaround minimum and the time limit
// of a traffic tool run, bound to the OptionsEditor. Every way of closing asks the editor first; a user who
// has no valid folder may choose to quit the program instead.

#include <QDialog>

class QLineEdit;

namespace corvane {
class OptionsEditor;
}

namespace corvane::ui {

class OptionsDialog final : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(OptionsEditor& editor, QWidget* parent);

    // True when the user chose to end the program rather than give a folder.
    bool quitRequested() const { return m_quit; }

    void done(int result) override;

private:
    OptionsEditor& m_editor;
    QLineEdit* m_pathTxt;
    QLineEdit* m_turnaroundTxt;
    QLineEdit* m_toolTimeTxt;
    bool m_quit = false;
};

} // namespace corvane::ui
