#include "ui/mainwindow.h"

#include "checks/compilequestion.h"
#include "checks/turnaround.h"
#include "editors/filtereditor.h"
#include "editors/optionseditor.h"
#include "editors/startup.h"
#include "environment/aircraftscanner.h"
#include "environment/fsfolder.h"
#include "environment/scratch.h"
#include "projects/projectcommands.h"
#include "projects/trafficbgl.h"
#include "traffic/aptdata.h"
#include "ui/aircraftpage.h"
#include "ui/airportspage.h"
#include "ui/associationdialog.h"
#include "ui/checktrafficwindow.h"
#include "ui/filterdialog.h"
#include "ui/flightplanspage.h"
#include "ui/importexportpage.h"
#include "ui/mapdock.h"
#include "ui/optionsdialog.h"
#include "ui/textcodec.h"
#include "ui/timelinewidget.h"
#include "ui/widgethelpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabBar>
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

} // namespace

MainWindow::MainWindow(Platform& platform, Prompts* prompts)
    : m_platform(platform)
    , m_ownPrompts(prompts ? nullptr : std::make_unique<QtPrompts>(this))
    , m_progress(new ProgressWindow(this))
    , m_session(prompts ? *prompts : *m_ownPrompts, *m_progress)
    , m_editor(m_session)
    , m_airports(m_session.db, m_editor.legs(), m_session.prompts)
    , m_aircraft(m_session.db, m_editor.legs(), m_session.prompts)
    , m_check(m_session, platform.settings) {
    setObjectName(QStringLiteral("mainFrm"));
    setWindowTitle(QStringLiteral("Corvane"));
    m_session.state.programFolder = platform.programFolder;
    m_session.tools = &platform.tools;
    buildMenus();
    buildPages();
    buildMapView();
    resize(1100, 720);
}

MainWindow::~MainWindow() {
    // The check window shows the check editor's rows, the map dock watches the tables and editors, the
    // pages' lists read the editors (even while a visible window is hidden on its way out): they go
    // before those do.
    delete m_checkWindow;
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
    const QKeySequence fileKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_N),
                                     QKeySequence(Qt::CTRL | Qt::Key_O),
                                     {},
                                     {},
                                     QKeySequence(Qt::CTRL | Qt::Key_S),
                                     {},
                                     {},
                                     QKeySequence(Qt::CTRL | Qt::Key_C),
                                     {},
                                     {}};
    for (int i = 0; i < 10; ++i) {
        QAction* action = QString::fromLatin1(fileItems[i]) == QLatin1String("-")
                              ? file->addSeparator()
                              : file->addAction(Text(fileItems[i]));
        action->setObjectName(QStringLiteral("fileCap%1").arg(i));
        action->setShortcut(fileKeys[i]);
        connect(action, &QAction::triggered, this, [this, i] { fileCap_Click(i); });
    }

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
}

void MainWindow::buildPages() {
    auto* central = new QWidget(this);
    m_tabs = Named(new QTabBar(central), "TB");
    for (const char* caption : {"FlightPlans", "Airports", "Aircraft", "Import/Export"})
        m_tabs->addTab(Text(caption));
    m_frames = new QStackedWidget(central);
    m_flightPlans = new FlightPlansPage(m_editor, m_session, m_frames);
    m_airportsPage = new AirportsPage(m_airports, m_session, m_frames);
    m_aircraftPage = new AircraftPage(
        m_aircraft, m_session, [this] { showAssociation(); }, m_frames);
    m_importExportPage = new ImportExportPage(
        m_session,
        [this](ImportOutcome outcome) {
            if (outcome == ImportOutcome::NeedsAssociation) m_tabs->setCurrentIndex(2);
            refresh();
        },
        m_frames);
    m_pages[0] = m_flightPlans;
    m_pages[1] = m_airportsPage;
    m_pages[2] = m_aircraftPage;
    m_pages[3] = m_importExportPage;
    for (QWidget* page : m_pages) m_frames->addWidget(page);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_tabs);
    layout->addWidget(m_frames, 1);
    setCentralWidget(central);
    connect(m_tabs, &QTabBar::currentChanged, this, &MainWindow::TB_Click);
}

void MainWindow::buildMapView() {
    m_mapDock = new MapDock(m_session, m_editor, m_airports, this);
    addDockWidget(Qt::RightDockWidgetArea, m_mapDock);
    m_mapDock->hide();
    QAction* showMap = m_mapDock->toggleViewAction();
    showMap->setObjectName(QStringLiteral("viewMapCap"));
    showMap->setShortcut(QKeySequence(Qt::Key_F10));
    auto* view = new QMenu(Text("&View"), this);
    view->setObjectName(QStringLiteral("viewCap"));
    view->addAction(showMap);
    menuBar()->insertMenu(findChild<QAction*>(QStringLiteral("menuCap2")), view);

    auto* exportMap = new QAction(Text("Export Map Image..."), this);
    exportMap->setObjectName(QStringLiteral("exportMapCap"));
    findChild<QMenu*>(QStringLiteral("menuCap0"))
        ->insertAction(findChild<QAction*>(QStringLiteral("fileCap8")), exportMap);
    connect(exportMap, &QAction::triggered, this, [this] { m_mapDock->exportImage(m_session.prompts); });

    connect(m_flightPlans, &FlightPlansPage::synced, m_mapDock, &MapDock::sync);
    connect(m_airportsPage, &AirportsPage::synced, m_mapDock, &MapDock::sync);
    // A click on an airport lists its flights on the FlightPlans page.
    connect(m_mapDock, &MapDock::airportClicked, this, [this](int row) {
        if (m_tabs->currentIndex() != 0) m_tabs->setCurrentIndex(0);
        m_mapDock->editor().chooseAirport(row);
        refresh();
    });
    m_flightPlans->timeline()->setTurnaround([this] { return TurnaroundSetting(m_platform.settings); });
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
    return true;
}

bool MainWindow::showOptions() {
    OptionsEditor editor(m_session.state, m_platform.registry, m_platform.settings, m_session.prompts);
    OptionsDialog dialog(editor, this);
    dialog.exec();
    return !dialog.quitRequested();
}

void MainWindow::ShowFrame(QWidget* frame) {
    m_frames->setCurrentWidget(frame);
}

bool MainWindow::leavingFlightPlans() {
    if (!m_editor.flightsLst().empty() && m_editor.selectedFlightRow() >= 0) m_editor.SaveToLST();
    return true;
}

void MainWindow::TB_Click(int index) {
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
    m_flightActions[AddFlightItem]->setEnabled(true);
}

void MainWindow::fileCap_Click(int index) {
    switch (index) {
    case NewItem:
        NewProject(m_session);
        break;
    case OpenItem:
        OpenProject(m_session);
        break;
    case OpenBglItem:
        OpenTrafficBgl(m_session, false);
        break;
    case SaveItem:
        SaveProject(m_session, SaveMode::Save);
        break;
    case SaveAsItem:
        SaveProject(m_session, SaveMode::SaveAs);
        break;
    case CompileItem:
        compile();
        break;
    case ExitItem:
        close();
        return;
    default:
        return; // separators
    }
    refresh();
}

void MainWindow::flightCap_Click(int index) {
    switch (index) {
    case AddFlightItem:
        m_editor.addFlight();
        break;
    case DeleteFlightItem:
        m_editor.deleteFlight();
        break;
    case AddLegItem:
        m_editor.legs().addLeg();
        break;
    case DeleteLegItem:
        m_editor.legs().removeLeg();
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
    const FilterMode modes[] = {FilterMode::Delete, FilterMode::Percent, FilterMode::Time};
    if (index < 0 || index > 2) return;
    FilterEditor editor(modes[index], m_session.db, m_editor, m_session.prompts);
    FilterDialog dialog(editor, m_session.prompts, this);
    dialog.exec();
    // A run let go of the flight being edited: list the airport's flights again.
    if (m_editor.CurrentFlightIndex() == -1) m_editor.chooseAirport();
    refresh();
}

void MainWindow::showAssociation() {
    if (!AssociationEditor::canOpen(m_session.db, m_aircraft.selectedMissing())) return;
    AssociationEditor editor(m_session.db, m_session.prompts);
    editor.load(m_aircraft.selectedMissing());
    AssociationDialog dialog(editor, this);
    if (dialog.exec() == QDialog::Accepted) m_aircraft.chooseMissing(editor.selectedMissingRow());
    refresh();
}

void MainWindow::compile() {
    if (!m_session.db.flightTable().isEmpty()) {
        const CompileChoice choice = m_check.beforeCompile();
        if (m_checkWindow) m_checkWindow->sync(); // it shows this check now
        switch (choice) {
        case CompileChoice::ShowProblems:
            showCheckWindow(false);
            return;
        case CompileChoice::Cancel:
            return;
        case CompileChoice::Compile:
            break;
        }
    }
    CompileTrafficBgl(m_session);
}

void MainWindow::showCheckWindow(bool recheck) {
    if (!m_checkWindow)
        m_checkWindow = new CheckTrafficWindow(
            m_check, [this](int row) { showProblem(row); }, this);
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
    raise();
    activateWindow();
}

void MainWindow::menuCap_Click(int index) {
    if (index == 2) {
        if (!showOptions()) {
            close();
            return;
        }
        refresh(); // a new turnaround minimum changes the check
    } else if (index == 3) {
        m_session.prompts.message(
            "About Corvane",
            "Corvane " CORVANE_VERSION "\r\n\r\n"
            "An editor for the AI flights of Microsoft Flight Simulator 2002: open the installed "
            "traffic or a project, edit flights, airports and aircraft, and compile them back.",
            Icon::Information);
    }
}

void MainWindow::refresh() {
    setWindowTitle(MessageToDisplay(ProjectCaption(m_session.state.projectTag)));
    m_flightPlans->sync();
    m_airportsPage->sync();
    m_aircraftPage->sync();
    // The check window follows the data while it is open.
    if (m_checkWindow && m_checkWindow->isVisible() && m_check.stale()) m_checkWindow->recheck();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_progress->isBusy()) {
        event->ignore();
        return;
    }
    if (!m_closing) {
        m_closing = true;
        SaveProject(m_session, SaveMode::Prompt);
        ClearData(m_session, true);
        CleanTempData(m_session.state.programFolder, true);
    }
    event->accept();
}

} // namespace corvane::ui
