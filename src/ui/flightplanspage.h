#pragma once
// F1, the "FlightPlans" page: the widgets of the flight editor and the legs editor, bound to the
// FlightEditor. User edits call the editor; after each, the widgets are set from the editor's state.

#include "editors/flightsearch.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace corvane {
class EditSteps;
class FlightEditor;
struct Session;
} // namespace corvane

namespace corvane::ui {

class RowsModel;
class SortedListModel;
class TimelineWidget;

class FlightPlansPage final : public QWidget {
    Q_OBJECT
public:
    FlightPlansPage(FlightEditor& editor, Session& session, EditSteps& steps, QWidget* parent = nullptr);

    // Sets every widget from the editor's state.
    void sync();

    QComboBox* aptCom() const { return m_aptCom; }
    // Ctrl+F: the search over every flight, its text selected.
    void focusSearch();
    TimelineWidget* timeline() const { return m_timeline; }

signals:
    // The widgets show the editor's state anew: views of the same state follow.
    void synced();

signals:
    // After every user action on the page.
    void acted();

private:
    void buildAirportFrame(QWidget* frame);
    void buildFlightFrame(QWidget* frame);
    void bind();
    // The search over every flight with the search field's text; the matches list follows it.
    void searchFlights();
    // Runs an editor action, then shows its result.
    template <typename Action> void act(Action action);
    // An action that is not an edit of the field being typed in: the field's visit ends first.
    template <typename Action> void command(Action action);
    // A choice (combo, option, check box): one step named after it.
    template <typename Action> void choose(const char* caption, Action action);
    // Turns widget text into bytes; a character without one is refused with a message.
    bool bytesOf(const QString& text, std::string& bytes);

    FlightEditor& m_editor;
    Session& m_session;
    EditSteps& m_steps;
    FlightSearch m_search;
    SortedListModel* m_codes;
    SortedListModel* m_aircraft;
    RowsModel* m_flightsModel;
    RowsModel* m_legsModel;
    int m_flightsRevision = -1;
    int m_legsRevision = -1;

    QLineEdit* m_flightSearchTxt;
    QLabel* m_flightSearchLbl;
    QTreeView* m_flightSearchLst;
    RowsModel* m_flightSearchModel;
    QComboBox* m_aptCom;
    QLabel* m_infoLbl;
    QTreeView* m_flightsLst;
    QComboBox* m_aircraftCom;
    QLineEdit* m_tailTxt;
    QLineEdit* m_percentTxt;
    QComboBox* m_repeatCom;
    QRadioButton* m_ifrOpt;
    QRadioButton* m_vfrOpt;
    QTreeView* m_legsLst;
    QComboBox* m_depCom;
    QComboBox* m_depDayCom;
    QLineEdit* m_depTxt;
    QComboBox* m_depZoneCom;
    QComboBox* m_desCom;
    QComboBox* m_arrDayCom;
    QLineEdit* m_etaTxt;
    QComboBox* m_arrZoneCom;
    QLineEdit* m_cruiseTxt;
    QLineEdit* m_flightNrTxt;
    QCheckBox* m_forceTailChk;
    TimelineWidget* m_timeline;
};

} // namespace corvane::ui
