#pragma once
// mainFrm: the program's one top-level window and the owner of its state. It carries the menu bar,
// the tab strip TB over the four pages F1..F4, the progress window, and runs start-up and shut-down.
// It wires the menus and pages to the commands and editors; the rules live below it.

#include "editors/aircrafteditor.h"
#include "editors/airporteditor.h"
#include "editors/editsteps.h"
#include "editors/flighteditor.h"
#include "editors/recentprojects.h"
#include "editors/trafficcheckeditor.h"
#include "projects/session.h"
#include "ui/progresswindow.h"
#include "ui/qtprompts.h"

#include <QMainWindow>
#include <memory>
#include <string>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QMenu;
class QUndoStack;
class QStackedWidget;
class QTabBar;

namespace corvane {
class Registry;
class SettingsStore;
class ToolRunner;
} // namespace corvane

namespace corvane::ui {

class AircraftPage;
class AirportBoardWindow;
class ImportExportPage;
class AirportsPage;
class CheckTrafficWindow;
class FlightPlansPage;
class MapDock;
class UserGuideWindow;

// The outside world as the main window meets it.
struct Platform {
    Registry& registry;
    SettingsStore& settings;
    ToolRunner& tools;
    std::string programFolder; // ending in the separator
};

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // prompts: where messages, questions and file dialogs go; the window's own dialogs when null.
    explicit MainWindow(Platform& platform, Prompts* prompts = nullptr);
    ~MainWindow() override;

    // Form_Load: the checks, the simulator folder, the installed aircraft, an empty project. False when
    // the program must end (the reason has been shown).
    bool startUp();

    Session& session() { return m_session; }
    FlightEditor& flightEditor() { return m_editor; }
    AirportEditor& airportEditor() { return m_airports; }
    AircraftEditor& aircraftEditor() { return m_aircraft; }
    TrafficCheckEditor& trafficCheck() { return m_check; }
    ProgressWindow& progressWindow() { return *m_progress; }
    MapDock& mapDock() { return *m_mapDock; }

    // The indexed menu groups; separators are ignored.
    void fileCap_Click(int index);
    void flightCap_Click(int index);
    void menuCap_Click(int index);
    void FilterCap_Click(int index);
    // The bulk schedule changes: 0 "Move an airport's traffic...", 1 "Set arrival times from cruise
    // speeds...".
    void bulkCap_Click(int index);
    void TB_Click(int index);
    void ShowFrame(QWidget* frame);
    // The options window; false when the user chose to end the program.
    bool showOptions();
    // assosiateFrm for the unknown aircraft selected on the aircraft page.
    void showAssociation();
    // Edit menu: undo or redo the last step, then show the data it restored where it was made.
    void undo();
    void redo();
    QUndoStack& undoStack() { return *m_undoStack; }
    // The "Check traffic" window, checking again first when recheck is set.
    void showCheckWindow(bool recheck);
    // A problem of the check window double-clicked: its flight and leg on the FlightPlans page.
    void showProblem(int row);
    // Flights > "Airport Board..." (F11): the board opens on the airport listed on the FlightPlans
    // page; a board already open keeps its own.
    void showBoardWindow();
    // A project named on the command line, dropped on the window or chosen in File > Recent
    // Projects: opened after the save question.
    void openProjectFile(const std::string& path);
    RecentProjects& recentProjects() { return m_recent; }
    // File > "Import Timetable...": the file, its preview, and on "Import" the flights added as one
    // step and the FlightPlans page listing the first airport imported.
    void importTimetable();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void buildPages();
    // The "Map" dock, the View menu that shows it and File > "Export Map Image...".
    void buildMapView();
    // Flights > "Airport Board..." and File > "Export Board Chart...".
    void buildBoardView();
    void updateFlightsMenu();
    void updateRecentMenu();
    // Ctrl+Tab and friends: the page step pages on, cyclically.
    void turnPage(int step);
    // After a command: the caption names the project, the pages show the data.
    void refresh();
    // The Edit menu and the window's "unsaved" mark follow the change journal.
    void syncUndo();
    void restorePlace(const StepPlace& place);
    StepPlace currentPlace() const;
    bool leavingFlightPlans();
    // "&Compile FS2002 Traffic.bgl...": the traffic check first, then the compile unless the user
    // chose to look at the problems or to cancel. True when a new Traffic.bgl is in place.
    bool compile();
    // The status bar says what a command has done ("" says nothing).
    void say(const std::string& status);
    // F1 and the About box's "User Guide".
    void showGuide();

    Platform& m_platform;
    std::unique_ptr<QtPrompts> m_ownPrompts;
    ProgressWindow* m_progress;
    Session m_session;
    FlightEditor m_editor;
    AirportEditor m_airports;
    AircraftEditor m_aircraft;
    EditSteps m_steps;
    QUndoStack* m_undoStack;
    int m_journalGeneration = -1;
    bool m_mirroring = false; // the undo stack is being set to the journal's steps
    TrafficCheckEditor m_check;
    RecentProjects m_recent;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_flightsMenu = nullptr;
    QAction* m_flightActions[9] = {};
    QAction* m_bulkActions[2] = {};
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_frames = nullptr;
    FlightPlansPage* m_flightPlans = nullptr;
    AirportsPage* m_airportsPage = nullptr;
    AircraftPage* m_aircraftPage = nullptr;
    ImportExportPage* m_importExportPage = nullptr;
    CheckTrafficWindow* m_checkWindow = nullptr;
    AirportBoardWindow* m_boardWindow = nullptr;
    UserGuideWindow* m_guide = nullptr;
    bool m_placeless = false; // steps made now have no place (a filter's)
    MapDock* m_mapDock = nullptr;
    QWidget* m_pages[4] = {};
    bool m_closing = false;
};

} // namespace corvane::ui
