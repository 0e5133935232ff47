#include "ui/mainwindow.h"

#include "checks/compilequestion.h"
#include "checks/turnaround.h"
#include "editors/about.h"
#include "editors/filtereditor.h"
#include "editors/imageexport.h"
#include "editors/optionseditor.h"
#include "editors/rerouteeditor.h"
#include "editors/retimeeditor.h"
#include "editors/startup.h"
#include "editors/statustexts.h"
#include "editors/timetableeditor.h"
#include "environment/aircraftscanner.h"
#include "environment/fsfolder.h"
#include "environment/scratch.h"
#include "environment/tooltimelimit.h"
#include "platform/desktop.h"
#include "platform/paths.h"
#include "projects/projectcommands.h"
#include "projects/trafficbgl.h"
#include "traffic/aptdata.h"
#include "traffic/changejournal.h"
#include "ui/aircraftpage.h"
#include "ui/airportboardwindow.h"
#include "ui/airportspage.h"
#include "ui/associationdialog.h"
#include "ui/bulkchangedialog.h"
#include "ui/checktrafficwindow.h"
#include "ui/filterdialog.h"
#include "ui/flightplanspage.h"
#include "ui/importexportpage.h"
#include "ui/mapdock.h"
#include "ui/optionsdialog.h"
#include "ui/textcodec.h"
#include "ui/timelinewidget.h"
#include "ui/timetabledialog.h"
#include "ui/userguide.h"
#include "ui/widgethelpers.h"
#include "ui/windowkeys.h"
#include "ui/windowsettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QUndoCommand>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {

enum FileItem {
    NewItem = 0,
    OpenItem = 1,
    OpenBglItem = 2,
    SaveItem = 4,
    SaveAsItem = 5,
    CompileItem = 7,
    ExitItem = 9
};
enum FlightItem {
    AddFlightItem = 0,
    DeleteFlightItem = 1,
    AddLegItem = 3,
    DeleteLegItem = 4,
    FiltersItem = 6,
    CheckTrafficItem = 8
};

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

// One step of the change journal on Qt's undo stack. The journal has made and recorded the step
// already, so the first redo (when the command is pushed) does nothing; later ones redo the step.
class JournalCommand final : public QUndoCommand {
public:
    JournalCommand(const std::string& text, std::function<void(bool undo)> replay)
        : QUndoCommand(MessageToDisplay(text))
        , m_replay(std::move(replay)) {}
    void undo() override { m_replay(true); }
    void redo() override {
        if (m_pushed) m_replay(false);
        m_pushed = true;
    }

private:
    std::function<void(bool)> m_replay;
    bool m_pushed = false;
};

} // namespace

MainWindow::MainWindow(Platform& platform, Prompts* prompts)
    : m_platform(platform)
    , m_ownPrompts(prompts ? nullptr : std::make_unique<QtPrompts>(this))
    , m_progress(new ProgressWindow(this))
    , m_session(prompts ? *prompts : *m_ownPrompts, *m_progress)
    , m_editor(m_session)
    , m_airports(m_session.db, m_editor.legs(), m_session.prompts)
    , m_aircraft(m_session.db, m_editor.legs(), m_session.prompts)
    , m_steps(m_session)
    , m_undoStack(new QUndoStack(this))
    , m_check(m_session, platform.settings)
    , m_recent(platform.settings) {
    setObjectName(QStringLiteral("mainFrm"));
    setWindowTitle(QStringLiteral("Corvane"));
    m_session.state.programFolder = platform.programFolder;
    m_session.tools = &platform.tools;
    m_session.registry = &platform.registry;
    buildMenus();
    buildPages();
    buildMapView();
    buildBoardView();
    // What a command has done is said here; a failure is said in a message instead.
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    resize(1100, 720);
}

MainWindow::~MainWindow() {
    // The check window shows the check editor's rows, the board and the map dock watch the tables and
    // editors, the pages' lists read the editors (even while a visible window is hidden on its way
    // out): they go before those do.
    delete m_checkWindow;
    delete m_boardWindow;
    delete m_mapDock;
    delete centralWidget();
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(Text("&File"));
    file->setObjectName(QStringLiteral("menuCap0"));
    const char* fileItems[] = {"&New Project",
                               "&Open Project...",
                               "O&pen FS2002 Traffic.bgl...",
                               "-",
                               "&Save Project",
                               "Sa&ve Project As...",
                               "-",
                               "&Compile FS2002 Traffic.bgl...",
                               "-",
                               "E&xit"};
    // Compile is F7, never Ctrl+C: that is everybody's Copy, and a compile replaces Traffic.bgl.
    const QKeySequence fileKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_N),
                                     QKeySequence(Qt::CTRL | Qt::Key_O),
                                     {},
                                     {},
                                     QKeySequence(Qt::CTRL | Qt::Key_S),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                                     {},
                                     QKeySequence(Qt::Key_F7),
                                     {},
                                     QKeySequence(Qt::CTRL | Qt::Key_Q)};
    for (int i = 0; i < 10; ++i) {
        QAction* action = QString::fromLatin1(fileItems[i]) == QLatin1String("-")
                              ? file->addSeparator()
                              : file->addAction(Text(fileItems[i]));
        action->setObjectName(QStringLiteral("fileCap%1").arg(i));
        action->setShortcut(fileKeys[i]);
        connect(action, &QAction::triggered, this, [this, i] { fileCap_Click(i); });
    }
    // File > "Import Timetable...", after the commands that open traffic.
    auto* timetable = new QAction(Text("Import &Timetable..."), file);
    timetable->setObjectName(QStringLiteral("importTimetableCap"));
    file->insertAction(findChild<QAction*>(QStringLiteral("fileCap3")), timetable);
    connect(timetable, &QAction::triggered, this, &MainWindow::importTimetable);
    // File > Recent Projects, after Save As.
    m_recentMenu = new QMenu(Text("Recent Projects"), file);
    m_recentMenu->setObjectName(QStringLiteral("recentCap"));
    file->insertMenu(findChild<QAction*>(QStringLiteral("fileCap6")), m_recentMenu);
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::updateRecentMenu);
    updateRecentMenu();

    // Edit: undo and redo over the change journal.
    QMenu* editMenu = menuBar()->addMenu(Text("&Edit"));
    editMenu->setObjectName(QStringLiteral("editCap"));
    QAction* undo = editMenu->addAction(Text("Undo"));
    undo->setObjectName(QStringLiteral("undoCmd"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = editMenu->addAction(Text("Redo"));
    redo->setObjectName(QStringLiteral("redoCmd"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(undo, &QAction::triggered, this, &MainWindow::undo);
    connect(redo, &QAction::triggered, this, &MainWindow::redo);
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(m_undoStack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(m_undoStack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(m_undoStack, &QUndoStack::undoTextChanged, undo, [undo](const QString& text) {
        undo->setText(text.isEmpty() ? Text("Undo") : Text("Undo ") + text);
    });
    connect(m_undoStack, &QUndoStack::redoTextChanged, redo, [redo](const QString& text) {
        redo->setText(text.isEmpty() ? Text("Redo") : Text("Redo ") + text);
    });
    // Ctrl+Tab and Ctrl+Shift+Tab, and Undo and Redo in a text field with nothing of its own to undo.
    new WindowKeys(
        this, [this](int step) { turnPage(step); }, undo, redo);
    m_session.db.journal().setPlaceProvider([this] { return m_placeless ? StepPlace{} : currentPlace(); });

    m_flightsMenu = menuBar()->addMenu(Text("Fli&ghts"));
    m_flightsMenu->setObjectName(QStringLiteral("menuCap1"));
    const char* flightItems[] = {"Add Flight", "Delete Flight", "-", "Add Leg",         "Delete Leg",
                                 "-",          "Filters",       "-", "Check traffic..."};
    for (int i = 0; i < 9; ++i) {
        QAction* action = nullptr;
        if (QString::fromLatin1(flightItems[i]) == QLatin1String("-")) {
            action = m_flightsMenu->addSeparator();
        } else if (i == FiltersItem) {
            QMenu* filters = m_flightsMenu->addMenu(Text(flightItems[i]));
            filters->setObjectName(QStringLiteral("FilterCap"));
            action = filters->menuAction();
            const char* filterItems[] = {"Delete", "Percent", "Time"};
            for (int f = 0; f < 3; ++f) {
                QAction* filter = filters->addAction(Text(filterItems[f]));
                filter->setObjectName(QStringLiteral("FilterCap%1").arg(f));
                connect(filter, &QAction::triggered, this, [this, f] { FilterCap_Click(f); });
            }
        } else {
            action = m_flightsMenu->addAction(Text(flightItems[i]));
            connect(action, &QAction::triggered, this, [this, i] { flightCap_Click(i); });
        }
        action->setObjectName(QStringLiteral("flightCap%1").arg(i));
        m_flightActions[i] = action;
    }
    // The bulk schedule changes, after the filters.
    const char* bulkItems[] = {"Move an airport's traffic...", "Set arrival times from cruise speeds..."};
    const char* bulkNames[] = {"moveTrafficCap", "retimeCap"};
    for (int i = 0; i < 2; ++i) {
        m_bulkActions[i] = new QAction(Text(bulkItems[i]), m_flightsMenu);
        m_bulkActions[i]->setObjectName(QString::fromLatin1(bulkNames[i]));
        connect(m_bulkActions[i], &QAction::triggered, this, [this, i] { bulkCap_Click(i); });
    }
    m_flightsMenu->insertActions(m_flightActions[FiltersItem + 1], {m_bulkActions[0], m_bulkActions[1]});
    // F9 checks the traffic from every page, also while the Flights menu is disabled.
    m_flightActions[CheckTrafficItem]->setShortcut(QKeySequence(Qt::Key_F9));
    addAction(m_flightActions[CheckTrafficItem]);
    connect(m_flightsMenu, &QMenu::aboutToShow, this, &MainWindow::updateFlightsMenu);

    QAction* options = menuBar()->addAction(Text("&Options"));
    options->setObjectName(QStringLiteral("menuCap2"));
    connect(options, &QAction::triggered, this, [this] { menuCap_Click(2); });
    QAction* about = menuBar()->addAction(Text("&About"));
    about->setObjectName(QStringLiteral("menuCap3"));
    connect(about, &QAction::triggered, this, [this] { menuCap_Click(3); });

    // Keys that turn the pages, and Ctrl+F for the search of the page shown.
    const auto key = [this](QKeySequence sequence, const char* name, auto handler) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(sequence);
        addAction(action);
        connect(action, &QAction::triggered, this, handler);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_PageDown), "nextPageKey", [this] { turnPage(1); });
    key(QKeySequence(Qt::CTRL | Qt::Key_PageUp), "previousPageKey", [this] { turnPage(-1); });
    key(QKeySequence(Qt::Key_F1), "guideKey", [this] { showGuide(); });
    key(QKeySequence::Find, "findKey", [this] {
        if (m_tabs->currentIndex() == 1)
            m_airportsPage->focusSearch();
        else if (m_tabs->currentIndex() == 0)
            m_flightPlans->focusSearch();
    });
}

void MainWindow::turnPage(int step) {
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + m_tabs->count()) % m_tabs->count());
}

void MainWindow::updateRecentMenu() {
    m_recentMenu->clear();
    int n = 0;
    for (const std::string& path : m_recent.paths()) {
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 ").arg(++n) + PathToDisplay(path));
        action->setObjectName(QStringLiteral("recentCap%1").arg(n - 1));
        connect(action, &QAction::triggered, this, [this, path] {
            say({});
            if (!PathExists(path, true)) {
                m_session.prompts.message("Recent Projects",
                                          "The project ''" + path +
                                              "'' is no longer there; it is taken off the list.",
                                          Icon::Exclamation);
                m_recent.remove(path);
                updateRecentMenu();
                return;
            }
            openProjectFile(path);
        });
    }
    m_recentMenu->addSeparator();
    QAction* clear = m_recentMenu->addAction(Text("Clear Recent Projects"));
    clear->setObjectName(QStringLiteral("clearRecentCap"));
    connect(clear, &QAction::triggered, this, [this] {
        m_recent.clear();
        updateRecentMenu();
    });
    m_recentMenu->setEnabled(n > 0);
}

void MainWindow::openProjectFile(const std::string& path) {
    m_steps.closeVisit();
    const bool opened = OpenProjectFile(m_session, path);
    refresh();
    say(opened ? OpenedStatus(path, m_session.db) : std::string());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".cvp"), Qt::CaseInsensitive)) {
            event->acceptProposedAction();
            return;
        }
}

void MainWindow::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile() || !url.toLocalFile().endsWith(QStringLiteral(".cvp"), Qt::CaseInsensitive))
            continue;
        event->acceptProposedAction();
        openProjectFile(PathFromDisplay(url.toLocalFile()));
        return;
    }
}

void MainWindow::buildPages() {
    auto* central = new QWidget(this);
    m_tabs = Named(new QTabBar(central), "TB");
    for (const char* caption : {"FlightPlans", "Airports", "Aircraft", "Import/Export"})
        m_tabs->addTab(Text(caption));
    m_frames = new QStackedWidget(central);
    m_flightPlans = new FlightPlansPage(m_editor, m_session, m_steps, m_frames);
    m_airportsPage = new AirportsPage(m_airports, m_session, m_steps, m_frames);
    m_aircraftPage = new AircraftPage(
        m_aircraft, m_session, m_steps, [this] { showAssociation(); }, m_frames);
    connect(m_flightPlans, &FlightPlansPage::acted, this, &MainWindow::syncUndo);
    connect(m_airportsPage, &AirportsPage::acted, this, &MainWindow::syncUndo);
    connect(m_aircraftPage, &AircraftPage::acted, this, &MainWindow::syncUndo);
    m_importExportPage = new ImportExportPage(
        m_session,
        [this](ImportOutcome outcome) {
            if (outcome == ImportOutcome::NeedsAssociation) m_tabs->setCurrentIndex(2);
            refresh();
            const std::string& path = m_importExportPage->importPath();
            say(outcome == ImportOutcome::Imported ? ImportedStatus(path, m_session.lastBackup)
                : outcome == ImportOutcome::NeedsAssociation
                    ? MergedStatus(path, m_session.db.missingAircraftTable().rowCount())
                    : std::string());
        },
        m_frames);
    m_pages[0] = m_flightPlans;
    m_pages[1] = m_airportsPage;
    m_pages[2] = m_aircraftPage;
    m_pages[3] = m_importExportPage;
    // Each page scrolls when the window is smaller than the page would like, so that the window fits
    // any screen at any scale factor.
    for (QWidget* page : m_pages) {
        auto* scroll = new QScrollArea(m_frames);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setFocusPolicy(Qt::NoFocus); // Tab goes to the page's fields; the focused one is scrolled to
        scroll->setWidgetResizable(true);
        scroll->setWidget(page);
        m_frames->addWidget(scroll);
    }
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_tabs);
    layout->addWidget(m_frames, 1);
    setCentralWidget(central);
    connect(m_tabs, &QTabBar::currentChanged, this, &MainWindow::TB_Click);
}

void MainWindow::buildMapView() {
    m_mapDock = new MapDock(m_session, m_editor, m_airports, this);
    m_mapDock->keepRoomFor(m_flightPlans);
    addDockWidget(Qt::RightDockWidgetArea, m_mapDock);
    m_mapDock->hide();
    QAction* showMap = m_mapDock->toggleViewAction();
    showMap->setObjectName(QStringLiteral("viewMapCap"));
    // Ctrl+M everywhere; F10 too, but not on Windows, where F10 is the key of the menu bar.
    QList<QKeySequence> mapKeys{QKeySequence(Qt::CTRL | Qt::Key_M)};
    if (!MenuBarTakesF10()) mapKeys.prepend(QKeySequence(Qt::Key_F10));
    showMap->setShortcuts(mapKeys);
    auto* view = new QMenu(Text("&View"), this);
    view->setObjectName(QStringLiteral("viewCap"));
    view->addAction(showMap);
    menuBar()->insertMenu(findChild<QAction*>(QStringLiteral("menuCap2")), view);

    auto* exportMap = new QAction(Text("Export Map Image..."), this);
    exportMap->setObjectName(QStringLiteral("exportMapCap"));
    findChild<QMenu*>(QStringLiteral("menuCap0"))
        ->insertAction(findChild<QAction*>(QStringLiteral("fileCap8")), exportMap);
    connect(exportMap, &QAction::triggered, this, [this] {
        const auto path = m_mapDock->exportImage(m_session.prompts);
        say(path ? ImageStatus(kMapImage.saved, *path) : std::string());
    });

    connect(m_flightPlans, &FlightPlansPage::synced, m_mapDock, &MapDock::sync);
    connect(m_airportsPage, &AirportsPage::synced, m_mapDock, &MapDock::sync);
    // A click on an airport lists its flights on the FlightPlans page.
    connect(m_mapDock, &MapDock::airportClicked, this, [this](int row) {
        if (m_tabs->currentIndex() != 0) m_tabs->setCurrentIndex(0);
        m_mapDock->editor().chooseAirport(row);
        refresh();
    });
    m_flightPlans->timeline()->setTurnaround([this] { return kTurnaroundMinutes.read(m_platform.settings); });
}

void MainWindow::buildBoardView() {
    auto* board = m_flightsMenu->addAction(Text("Airport Board..."));
    board->setObjectName(QStringLiteral("boardCap"));
    board->setShortcut(QKeySequence(Qt::Key_F11));
    addAction(board); // F11 from every page, as F9
    connect(board, &QAction::triggered, this, &MainWindow::showBoardWindow);
    auto* exportChart = new QAction(Text("Export Board Chart..."), this);
    exportChart->setObjectName(QStringLiteral("exportBoardCap"));
    findChild<QMenu*>(QStringLiteral("menuCap0"))
        ->insertAction(findChild<QAction*>(QStringLiteral("fileCap8")), exportChart);
    connect(exportChart, &QAction::triggered, this, [this] {
        showBoardWindow();
        m_boardWindow->exportChart(m_session.prompts);
    });
}

void MainWindow::showBoardWindow() {
    m_steps.closeVisit(); // the field being typed in is left first
    if (!m_boardWindow) {
        const auto showRow = [this](AirportBoardEditor::Table table, int row) {
            m_steps.closeVisit();
            if (m_tabs->currentIndex() != 0) m_tabs->setCurrentIndex(0);
            m_boardWindow->editor().showMovement(table, row, m_editor);
            refresh();
            raise();
            activateWindow();
        };
        m_boardWindow = new AirportBoardWindow(
            m_session, showRow, [this] { return m_progress->isBusy(); }, this);
        connect(m_boardWindow, &AirportBoardWindow::chartExported, this, [this](const QString& path) {
            say(ImageStatus(kBoardChartImage.saved, FromDisplay(path).value_or(std::string())));
        });
    }
    if (!m_boardWindow->isVisible()) m_boardWindow->showAirport(m_editor.listedAirport());
    m_boardWindow->show();
    m_boardWindow->raise();
    m_boardWindow->activateWindow();
}

bool MainWindow::startUp() {
    Prompts& prompts = m_session.prompts;
    if (const auto failure = CheckProgramFolder(m_session.state.programFolder)) {
        prompts.ask(*failure);
        return false;
    }
    // The zone combos start at GMT: the legs editor's defaults.
    const StartFolder start = InitialFSFolder(m_platform.registry, m_platform.settings);
    m_session.state.fsFolder = start.folder;
    if (start.fromRegistry && !showOptions()) return false;
    std::string folder = m_session.state.fsFolder;
    if (!CheckFSPath(folder, m_platform.registry, m_platform.settings, m_session.state) && !showOptions())
        return false;

    m_session.toolTimeLimit = std::chrono::minutes(kToolTimeLimitMinutes.read(m_platform.settings));
    ShowFrame(m_pages[0]);
    show();
    m_session.state.decompileNeeded = true;
    const AircraftScanResult scan =
        GetFSAircraft(m_session.state.fsFolder, m_session.db.installedAircraftTable(), m_session.progress);
    if (scan.overflow) {
        prompts.ask(*scan.overflow);
        return false;
    }
    ClearData(m_session, true);
    ResetFSAircraftSpeeds(m_session.db.installedAircraftTable());
    LoadEmptyProject(m_session);
    refresh();
    // As the window was left last time, within the screen it is on now; projects dropped on it open.
    RestoreWindowSettings(*this, *m_tabs);
    setAcceptDrops(true);
    return true;
}

bool MainWindow::showOptions() {
    OptionsEditor editor(m_session.state, m_platform.registry, m_platform.settings, m_session.prompts);
    OptionsDialog dialog(editor, this);
    dialog.exec();
    m_session.toolTimeLimit = std::chrono::minutes(kToolTimeLimitMinutes.read(m_platform.settings));
    return !dialog.quitRequested();
}

void MainWindow::ShowFrame(QWidget* frame) {
    for (int i = 0; i < 4; ++i)
        if (m_pages[i] == frame) m_frames->setCurrentIndex(i);
}

bool MainWindow::leavingFlightPlans() {
    if (!m_editor.flightsLst().empty() && m_editor.selectedFlightRow() >= 0) m_editor.SaveToLST();
    return true;
}

void MainWindow::TB_Click(int index) {
    m_steps.closeVisit(); // the field being typed in is left first
    switch (index) {
    case 0:
        ShowFrame(m_pages[0]);
        m_flightsMenu->menuAction()->setEnabled(true);
        if (!m_editor.flightsLst().empty()) m_editor.ReadFlightData();
        break;
    default:
        leavingFlightPlans();
        ShowFrame(m_pages[index]);
        m_flightsMenu->menuAction()->setEnabled(false);
        if (index == 1)
            m_airportsPage->opened();
        else if (index == 2)
            m_aircraftPage->opened();
        else if (index == 3)
            m_importExportPage->opened();
        break;
    }
    refresh();
}

void MainWindow::updateFlightsMenu() {
    const bool flights = !m_session.db.flightTable().isEmpty();
    for (int item : {DeleteFlightItem, AddLegItem, DeleteLegItem, FiltersItem})
        m_flightActions[item]->setEnabled(flights);
    for (QAction* bulk : m_bulkActions) bulk->setEnabled(flights);
    m_flightActions[AddFlightItem]->setEnabled(true);
}

void MainWindow::fileCap_Click(int index) {
    m_steps.closeVisit(); // the field being typed in is left first
    std::string status;
    switch (index) {
    case NewItem:
        if (NewProject(m_session)) status = NewProjectStatus(m_session.db);
        break;
    case OpenItem:
        if (OpenProject(m_session)) status = OpenedStatus(m_session.state.projectTag, m_session.db);
        break;
    case OpenBglItem:
        if (OpenTrafficBgl(m_session, false)) status = OpenedStatus("Traffic.bgl", m_session.db);
        break;
    case SaveItem:
    case SaveAsItem:
        if (SaveProject(m_session, index == SaveItem ? SaveMode::Save : SaveMode::SaveAs))
            status = SavedStatus(m_session.state.projectTag);
        break;
    case CompileItem:
        if (compile()) status = CompiledStatus(m_session.lastBackup);
        break;
    case ExitItem:
        close();
        return;
    default:
        return; // separators
    }
    refresh();
    say(status);
}

void MainWindow::say(const std::string& status) {
    statusBar()->showMessage(MessageToDisplay(status));
}

void MainWindow::flightCap_Click(int index) {
    m_steps.closeVisit(); // the field being typed in is left first
    switch (index) {
    case AddFlightItem:
        m_editor.addFlight();
        break;
    case DeleteFlightItem:
        m_editor.deleteFlight();
        break;
    case AddLegItem:
        m_editor.addLeg();
        break;
    case DeleteLegItem:
        m_editor.removeLeg();
        break;
    case CheckTrafficItem:
        showCheckWindow(true);
        break;
    default:
        return; // separators, and the Filters submenu
    }
    refresh();
}

void MainWindow::FilterCap_Click(int index) {
    m_steps.closeVisit(); // the field being typed in is left first
    const FilterMode modes[] = {FilterMode::Delete, FilterMode::Percent, FilterMode::Time};
    if (index < 0 || index > 2) return;
    FilterEditor editor(modes[index], m_session.db, m_editor, m_session.prompts);
    FilterDialog dialog(editor, m_session.prompts, this);
    // A run is marked and said at once, while the dialog stays open.
    connect(&dialog, &FilterDialog::ran, this, [this, &editor] {
        syncUndo();
        say(editor.doneStatus());
    });
    // A filter's step has no place: undone or redone, it leaves the user where they are.
    m_placeless = true;
    dialog.exec();
    m_placeless = false;
    // A run let go of the flight being edited: list the airport's flights again.
    if (m_editor.CurrentFlightIndex() == -1) m_editor.chooseAirport();
    refresh();
}

void MainWindow::bulkCap_Click(int index) {
    m_steps.closeVisit(); // the field being typed in is left first
    // As a filter's: marked and said at once, and a step without a place.
    const auto ran = [this](const BulkChangeEditor& editor) {
        return [this, &editor] {
            syncUndo();
            say(editor.doneStatus());
        };
    };
    m_placeless = true;
    if (index == 0) {
        RerouteEditor editor(m_session.db, m_editor, m_session.prompts);
        ShowRerouteDialog(editor, m_session.prompts, ran(editor), this);
    } else if (index == 1) {
        RetimeEditor editor(m_session.db, m_editor, m_session.prompts);
        ShowRetimeDialog(editor, m_session.prompts, ran(editor), this);
    }
    m_placeless = false;
    // A run let go of the flight being edited: list the airport's flights again.
    if (m_editor.CurrentFlightIndex() == -1) m_editor.chooseAirport();
    refresh();
}

void MainWindow::importTimetable() {
    m_steps.closeVisit(); // the field being typed in is left first
    TimetableEditor editor(m_session, kTurnaroundMinutes.read(m_platform.settings));
    if (!editor.open()) return;
    TimetableDialog dialog(editor, m_session.prompts, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (m_tabs->currentIndex() != 0) m_tabs->setCurrentIndex(0);
    m_editor.chooseAirport(editor.firstAirport());
    refresh();
    say(editor.doneStatus());
}

void MainWindow::showAssociation() {
    m_steps.closeVisit(); // the field being typed in is left first
    if (!AssociationEditor::canOpen(m_session.db, m_aircraft.selectedMissing())) return;
    AssociationEditor editor(m_session.db, m_session.prompts);
    editor.load(m_aircraft.selectedMissing());
    AssociationDialog dialog(editor, this);
    if (dialog.exec() == QDialog::Accepted) m_aircraft.chooseMissing(editor.selectedMissingRow());
    refresh();
    say(editor.doneStatus());
}

bool MainWindow::compile() {
    if (!m_session.db.flightTable().isEmpty()) {
        const CompileChoice choice = m_check.beforeCompile();
        if (m_checkWindow) m_checkWindow->sync(); // it shows this check now
        switch (choice) {
        case CompileChoice::ShowProblems:
            showCheckWindow(false);
            return false;
        case CompileChoice::Cancel:
            return false;
        case CompileChoice::Compile:
            break;
        }
    }
    return CompileTrafficBgl(m_session);
}

void MainWindow::showCheckWindow(bool recheck) {
    if (!m_checkWindow) {
        m_checkWindow = new CheckTrafficWindow(
            m_check, [this](int row) { showProblem(row); }, this);
        connect(m_checkWindow, &CheckTrafficWindow::trafficChanged, this, [this](int legs) {
            refresh();
            say(legs > 0 ? ProposedArrivalStatus(legs) : std::string());
        });
    }
    if (recheck)
        m_checkWindow->recheck();
    else
        m_checkWindow->sync();
    m_checkWindow->show();
    m_checkWindow->raise();
    m_checkWindow->activateWindow();
}

void MainWindow::showProblem(int row) {
    if (m_tabs->currentIndex() != 0) m_tabs->setCurrentIndex(0);
    m_check.showProblem(row, m_editor);
    refresh();
    m_mapDock->fitSelection(); // the map follows to the flight
    raise();
    activateWindow();
}

void MainWindow::menuCap_Click(int index) {
    m_steps.closeVisit(); // the field being typed in is left first
    if (index == 2) {
        if (!showOptions()) {
            close();
            return;
        }
        refresh(); // a new turnaround minimum changes the check
    } else if (index == 3) {
        const Prompt about{"About Corvane",
                           AboutText(CORVANE_VERSION, qVersion()),
                           Icon::Information,
                           Buttons::YesNo,
                           Answer::No,
                           "User Guide",
                           "OK"};
        if (m_session.prompts.ask(about) == Answer::Yes) showGuide();
    }
}

void MainWindow::showGuide() {
    if (!m_guide) m_guide = new UserGuideWindow(this);
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

void MainWindow::refresh() {
    syncUndo();
    // A project opened or saved goes to the top of File > Recent Projects.
    const std::string& tag = m_session.state.projectTag;
    if (tag != kProjectNew && tag != kProjectFs &&
        (m_recent.paths().empty() || m_recent.paths().front() != tag) && PathExists(tag, true)) {
        m_recent.add(tag);
        updateRecentMenu();
    }
    m_flightPlans->sync();
    m_airportsPage->sync();
    m_aircraftPage->sync();
    // The check window follows the data while it is open.
    if (m_checkWindow && m_checkWindow->isVisible() && m_check.stale()) m_checkWindow->recheck();
}

void MainWindow::syncUndo() {
    // The caption names the project; Qt shows "*" for the mark while there are unsaved changes, from
    // the first edit of a field on (before the field's step is closed).
    setWindowTitle(MessageToDisplay(ProjectCaption(m_session.state.projectTag)) + QStringLiteral("[*]"));
    ChangeJournal& journal = m_session.db.journal();
    const bool editing = m_steps.visitOpen() && !m_session.db.flightTable().isEmpty() &&
                         (journal.lastChangeAs<JournalChange>() || m_editor.holdsUnstoredEdits());
    setWindowModified(HasUnsavedChanges(m_session) || editing);

    // Qt's undo stack mirrors the journal's steps; it is built again when the journal forgot steps.
    const auto replay = [this](bool undo) {
        if (m_mirroring) return; // the journal is there already
        const StepPlace here = currentPlace();
        const StepPlace place = undo ? m_session.db.journal().undo() : m_session.db.journal().redo();
        // A step without a place (a filter's) shows its result where the user is.
        restorePlace(place.page < 0 ? here : place);
    };
    m_mirroring = true;
    if (journal.generation() != m_journalGeneration) {
        m_journalGeneration = journal.generation();
        m_undoStack->clear();
        for (int step = 0; step < journal.stepCount(); ++step)
            m_undoStack->push(new JournalCommand(journal.stepText(step), replay));
        m_undoStack->setIndex(journal.position());
    }
    // A new step: pushing it also drops the steps the stack could have redone.
    while (m_undoStack->index() < journal.position())
        m_undoStack->push(new JournalCommand(journal.stepText(m_undoStack->index()), replay));
    m_mirroring = false;
}

void MainWindow::undo() {
    m_steps.closeVisit();
    syncUndo(); // the visit just closed may be the step to undo
    m_undoStack->undo();
    refresh();
}

void MainWindow::redo() {
    m_steps.closeVisit();
    syncUndo();
    m_undoStack->redo();
    refresh();
}

StepPlace MainWindow::currentPlace() const {
    StepPlace place;
    place.page = m_tabs ? m_tabs->currentIndex() : -1;
    place.flight = m_editor.CurrentFlightIndex();
    place.legRow = m_editor.legs().selectedRow();
    const std::string& info = m_editor.infoLbl();
    const std::string prefix = "Flights at ";
    if (info.rfind(prefix, 0) == 0 && info != "Flights at ...") place.airport = info.substr(prefix.size());
    const int airport = m_airports.selectedRow();
    if (airport >= 0 && airport < m_session.db.airportTable().rowCount())
        place.airportRow = m_session.db.airportTable().cell(airport, AirportTable::Icao);
    return place;
}

void MainWindow::restorePlace(const StepPlace& place) {
    // The editor's flight may be what the step changed: the table holds the truth now.
    m_editor.forgetFlight();
    if (place.page >= 0 && place.page != m_tabs->currentIndex()) {
        const QSignalBlocker quiet(m_tabs); // no write-back on the way
        m_tabs->setCurrentIndex(place.page);
        ShowFrame(m_pages[place.page]);
        m_flightsMenu->menuAction()->setEnabled(place.page == 0);
    }
    // The airport listed when the step was made is listed again (nothing when none was).
    if (!place.airport.empty() || !m_editor.flightsLst().empty()) m_editor.chooseAirport(place.airport);
    const auto& rows = m_editor.flightsLst();
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&](const FlightRow& r) { return r.index == place.flight; });
    if (row != rows.end()) {
        m_editor.chooseFlight(static_cast<int>(row - rows.begin()));
        if (place.legRow >= 0 && place.legRow < static_cast<int>(m_editor.legs().rows().size()))
            m_editor.legs().chooseLeg(place.legRow);
    }
    if (!place.airportRow.empty()) {
        const int airport = m_session.db.airportTable().findByIcao(place.airportRow);
        if (airport >= 0) m_airports.chooseRow(airport);
    }
    if (place.page == 2) m_aircraftPage->opened();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_progress->isBusy()) {
        event->ignore();
        return;
    }
    m_steps.closeVisit();
    if (!m_closing) {
        if (AskToSave(m_session) == SaveAnswer::Cancelled) {
            event->ignore();
            return;
        }
        m_closing = true;
        SaveWindowSettings(*this, *m_tabs);
        ClearData(m_session, true);
        CleanTempData(m_session.state.programFolder, true);
    }
    event->accept();
}

} // namespace corvane::ui
