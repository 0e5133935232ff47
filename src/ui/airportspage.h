#pragma once
// F2, the "Airports" page: aptLST and the fields of the selected airport, bound to the AirportEditor.

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QTreeView;

namespace corvane {
class AirportEditor;
class EditSteps;
struct Session;
} // namespace corvane

namespace corvane::ui {

class AirportListModel;

class AirportsPage final : public QWidget {
    Q_OBJECT
public:
    AirportsPage(AirportEditor& editor, Session& session, EditSteps& steps, QWidget* parent = nullptr);

    // The page is opened: the current row (else the first) is selected and loaded.
    void opened();
    void sync();
    // Ctrl+F: the search field, its text selected.
    void focusSearch();

signals:
    // After every user action on the page.
    void acted();
    // The widgets show the editor's state anew: views of the same state follow.
    void synced();

private:
    template <typename Action> void act(Action action);
    template <typename Action> void command(Action action);
    bool bytesOf(const QString& text, std::string& bytes);
    void editLatitude();
    void editLongitude();

    AirportEditor& m_editor;
    Session& m_session;
    EditSteps& m_steps;
    AirportListModel* m_model;
    QTreeView* m_list;
    QLineEdit* m_search;
    QLabel* m_count;
    QLineEdit* m_icao;
    QLineEdit* m_name;
    QLineEdit* m_country;
    QLineEdit* m_elevation;
    QComboBox* m_latHemisphere;
    QLineEdit* m_latDegrees;
    QLineEdit* m_latMinutes;
    QComboBox* m_lonHemisphere;
    QLineEdit* m_lonDegrees;
    QLineEdit* m_lonMinutes;
};

} // namespace corvane::ui
