#pragma once
// F3, the "Aircraft" page: the installed aircraft with their cruise speeds, and the unknown aircraft of
// the traffic set with Remove and Associate, bound to the AircraftEditor.

#include <QWidget>
#include <functional>

class QLineEdit;
class QTreeView;

namespace corvane {
class AircraftEditor;
class EditSteps;
struct Session;
} // namespace corvane

namespace corvane::ui {

class TextTableModel;

class AircraftPage final : public QWidget {
    Q_OBJECT
public:
    // associate: opens the association dialog for the selected unknown aircraft.
    AircraftPage(AircraftEditor& editor, Session& session, EditSteps& steps, std::function<void()> associate,
                 QWidget* parent = nullptr);

    // The page is opened: the current installed aircraft (else the first) is selected and loaded.
    void opened();
    void sync();

signals:
    // After every user action on the page.
    void acted();

private:
    template <typename Action> void act(Action action);
    template <typename Action> void command(Action action);

    AircraftEditor& m_editor;
    Session& m_session;
    EditSteps& m_steps;
    TextTableModel* m_installedModel;
    TextTableModel* m_missingModel;
    QTreeView* m_installed;
    QTreeView* m_missing;
    QLineEdit* m_speed;
};

} // namespace corvane::ui
