// corvane-gui-bench: the main window on the offscreen platform, over a generated installation with the
// shipped apt.dat and land.txt, 1,000 installed aircraft and a traffic.bgl of the large traffic set built by
// the stand-in compiler. Times start-up, opening Traffic.bgl, saving the project, listing a busy airport's
// flights on the page, sorting the airport list, the traffic check's window, the airport board, and the
// route map: reading land.txt and its redraws with the busiest airport listed, as it is and grown to 2,000
// routes.

#include "benchoptions.h"
#include "generator.h"
#include "platform/progress.h"
#include "platform/qt/qttoolrunner.h"
#include "platform/registry.h"
#include "platform/settingsstore.h"
#include "platform/wineprefix.h"
#include "platform/wineregistry.h"
#include "projects/projectcommands.h"
#include "report.h"
#include "routemap/geo.h"
#include "scratchfolder.h"
#include "timing.h"
#include "traffic/flightline.h"
#include "traffic/reader.h"
#include "traffic/writer.h"
#include "ui/mainwindow.h"
#include "ui/mapdock.h"
#include "ui/mapwidget.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QTreeView>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

using namespace corvane;
namespace fs = std::filesystem;

namespace {

class BenchSettings final : public SettingsStore {
public:
    std::string value(std::string_view key) const override {
        const auto it = m_values.find(std::string(key));
        return it == m_values.end() ? std::string() : it->second;
    }
    void setValue(std::string_view key, std::string_view value) override {
        m_values[std::string(key)] = value;
    }

private:
    std::map<std::string, std::string> m_values;
};

// Questions take their default answer; a save dialog gets the path given.
class BenchPrompts final : public Prompts {
public:
    std::string savePath;
    Answer ask(const Prompt& prompt) override {
        std::fprintf(stderr, "message: %s: %s\n", prompt.title.c_str(), prompt.text.c_str());
        return prompt.buttons == Buttons::YesNo ? prompt.defaultAnswer : Answer::Ok;
    }
    std::optional<std::string> file(const FileRequest&) override { return savePath; }
    std::optional<std::string> input(const InputRequest&) override { return std::nullopt; }
};

void WriteFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

double Timed(const std::function<void()>& run) {
    Stopwatch watch;
    run();
    QApplication::processEvents();
    return watch.seconds();
}

// The slowest of five paints of the map: each after step changed what it shows, and then, unless step
// waited for a paint of the map's own, one asked for.
double SlowestPaint(ui::MapWidget& map, const std::function<void(int)>& step, bool ownPaint = false) {
    double slowest = 0;
    for (int i = 0; i < 5; ++i) {
        step(i);
        if (!ownPaint) map.repaint();
        slowest = std::max(slowest, map.lastPaintSeconds());
    }
    return slowest;
}

// The map's redraws as the user meets them: after a zoom (everything drawn again, the land plainly),
// once the view has been still for a moment (the land smoothed), after a pan, and with nothing changed.
void TimeMapRedraws(Report& report, ui::MapWidget& map, const std::string& what) {
    const std::string size = std::to_string(map.width()) + "x" + std::to_string(map.height());
    auto zoom = [&](int i) { i % 2 ? map.zoomOut() : map.zoomIn(); };
    report.limit("map redraw after a zoom, " + size + ", " + what, SlowestPaint(map, zoom), 0.03);
    report.limit("map redraw once still (smooth land), " + what,
                 SlowestPaint(
                     map,
                     [&](int i) {
                         zoom(i);
                         map.repaint();
                         QTest::qWait(300); // the smoothing paint follows on its own
                     },
                     true),
                 0.03);
    report.limit("map redraw after a pan, " + what,
                 SlowestPaint(map,
                              [&](int i) {
                                  QKeyEvent key(QEvent::KeyPress, i % 2 ? Qt::Key_Left : Qt::Key_Right,
                                                Qt::NoModifier);
                                  QApplication::sendEvent(&map, &key);
                              }),
                 0.03);
    report.limit("map redraw with nothing changed, " + what, SlowestPaint(map, [](int) {}), 0.03);
}

// The slowest keystroke of typing text into field, each until the list has answered, and of taking
// it back out again. The first keystroke counts the field's taking the focus, where the flight search
// makes what it needs.
double SlowestKeystroke(QLineEdit* field, const QString& text) {
    field->clear();
    double slowest = 0;
    for (QChar c : text)
        slowest = std::max(slowest, Timed([&] {
                               field->setFocus();
                               QTest::keyClicks(field, QString(c));
                           }));
    for (qsizetype i = 0; i < text.size(); ++i)
        slowest = std::max(slowest, Timed([&] { QTest::keyClick(field, Qt::Key_Backspace); }));
    return slowest;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string error;
    const auto options = ParseBenchOptions(argc, argv, error);
    if (!options || options->help) {
        std::fputs(kBenchUsage, options ? stdout : stderr);
        return options ? 0 : 2;
    }
    const TrafficSetSize& size = options->size;
    ScratchFolder work;
    const std::string program = work.path() + "program/";
    const std::string fsFolder = work.path() + "FS2002/";
    const std::string binFolder = QApplication::applicationDirPath().toStdString() + "/";
    fs::create_directories(program);
    for (const char* name : {"TCompiler.exe", "TDecompiler.exe", "apt.dat", "land.txt"})
        fs::copy_file(binFolder + name, program + name);

    // The simulator: fs2002.exe, the installed aircraft one per folder, and its registry value.
    WriteFile(fsFolder + "fs2002.exe", "MZ");
    const auto installed = GenerateInstalledAircraft(size);
    for (std::size_t i = 0; i < installed.size(); ++i)
        WriteFile(fsFolder + "Aircraft/a" + std::to_string(i) + "/aircraft.cfg",
                  "[fltsim.0]\r\ntitle=" + installed[i].title +
                      "\r\n[Reference Speeds]\r\ncruise_speed=" + installed[i].speed + "\r\n");
    const std::string prefixFolder = work.path() + "prefix/";
    fs::create_directories(prefixFolder + "dosdevices");
    fs::create_directory_symlink("/", prefixFolder + "dosdevices/z:");
    WriteFile(prefixFolder + "system.reg", "WINE REGISTRY Version 2\n\n#arch=win32\n");
    qputenv("WINEPREFIX", QByteArray::fromStdString(prefixFolder));
    WineRegistry registry{WinePrefix(prefixFolder)};
    SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue,
                 registry.toRegistryPath(fsFolder.substr(0, fsFolder.size() - 1)));
    BenchSettings settings;
    settings.setValue(kFsPathSetting, fsFolder);
    QtToolRunner tools;

    // traffic.bgl of the large set, built by the stand-in compiler from the writer's files.
    {
        const TrafficSet set = GenerateTrafficSet(size);
        TrafficDatabase db;
        CountingPrompts quiet;
        NullProgress none;
        ReadProjectBytes(db, set.project, ReadOptions{true, false, ""}, quiet, none);
        const std::string compile = work.path() + "compile/";
        fs::create_directories(compile);
        if (!WriteTrafficFiles(db, compile, quiet, none) ||
            !tools.run(program + "TCompiler.exe", {"/ep", "/np"}, compile).succeeded()) {
            std::fprintf(stderr, "corvane-gui-bench: the traffic.bgl could not be built\n");
            return 1;
        }
    }

    std::printf("corvane-gui-bench: shipped apt.dat and land.txt, %zu installed aircraft, traffic.bgl of %d "
                "flights\n",
                installed.size(), size.flights);
    Report report;
    BenchPrompts prompts;
    ui::Platform platform{registry, settings, tools, program};
    ui::MainWindow window(platform, &prompts);
    bool started = false;
    report.limit("start-up to a usable window", Timed([&] { started = window.startUp(); }), 2.0);
    if (!started) {
        report.note("the window did not start", true);
        report.summary();
        return 1;
    }
    report.limit("open Traffic.bgl (decompile, read)", Timed([&] { window.fileCap_Click(2); }), 5.0);
    if (window.session().db.flightTable().count() != size.flights)
        report.note("the opened traffic is not the generated one", true);
    prompts.savePath = work.path() + "saved.cvp";
    report.limit("save it as a project", Timed([&] { window.fileCap_Click(5); }), 2.0);

    // A search as typed, straight after the load: the first keystroke also makes the flights' searchable
    // text.
    const std::string tail = DecodeFlightLine(window.session().db.flightTable().at(size.flights / 2)).tail;
    auto* flightSearch = window.findChild<QLineEdit*>(QStringLiteral("flightSearchTxt"));
    report.limit("search keystroke over " + std::to_string(window.session().db.flightTable().count()) +
                     " flights just opened (tail \"" + tail + "\")",
                 SlowestKeystroke(flightSearch, QString::fromStdString(tail)), 0.05);
    flightSearch->clear();

    // The busiest destination, typed into the airport combo: until the page shows the list.
    std::map<std::string, int> visits;
    for (const std::string& line : window.session().db.flightTable().lines())
        for (std::string_view code : FlightDestinations(line)) ++visits[std::string(code)];
    auto busy = visits.begin();
    for (auto it = visits.begin(); it != visits.end(); ++it)
        if (it->second > busy->second) busy = it;
    QLineEdit* airport = window.findChild<QComboBox*>(QStringLiteral("aptCom"))->lineEdit();
    airport->clear();
    const QString code = QString::fromStdString(busy->first);
    QTest::keyClicks(airport, code.left(3));
    const double listing = Timed([&] { QTest::keyClicks(airport, code.mid(3)); });
    const int rows = window.findChild<QTreeView*>(QStringLiteral("flightsLst"))->model()->rowCount();
    report.limit("list " + std::to_string(rows) + " flights of " + busy->first + " on the page", listing,
                 0.2);

    const AirportTable& table = window.session().db.airportTable();
    window.findChild<QTabBar*>(QStringLiteral("TB"))->setCurrentIndex(1);
    auto* list = window.findChild<QTreeView*>(QStringLiteral("aptLST"));
    const char* headers[] = {"ICAO", "Latitude", "Longitude", "Elevation", "Airport", "Country"};
    for (int column = 0; column < 6; ++column) {
        const double sort = Timed([&] { emit list->header()->sectionClicked(column); });
        report.limit("sort aptLST (" + std::to_string(list->model()->rowCount()) + " rows) by " +
                         headers[column],
                     sort, 0.2);
    }
    // A search as typed: the airports by name.
    auto* aptSearch = window.findChild<QLineEdit*>(QStringLiteral("aptSearchTxt"));
    report.limit("search keystroke over " + std::to_string(table.rowCount()) +
                     " airports (\"international\")",
                 SlowestKeystroke(aptSearch, QStringLiteral("international")), 0.05);
    aptSearch->clear();

    // The traffic check's window over every flight (F9), and its table sorted by the longest column.
    window.findChild<QTabBar*>(QStringLiteral("TB"))->setCurrentIndex(0);
    auto* check = window.findChild<QAction*>(QStringLiteral("flightCap8"));
    const double checking = Timed([&] { check->trigger(); });
    auto* problems = window.findChild<QTreeView*>(QStringLiteral("problemsLst"));
    const int problemRows = problems ? problems->model()->rowCount() : 0;
    report.limit("check traffic window (" + std::to_string(problemRows) + " problems)", checking, 2.0);
    if (problems) {
        report.limit("sort the problems by message",
                     Timed([&] { emit problems->header()->sectionClicked(5); }), 1.0);
        report.limit("filter the problems: errors", Timed([&] {
                         auto* severity = window.findChild<QComboBox*>(QStringLiteral("severityCom"));
                         severity->setCurrentIndex(1);
                         emit severity->activated(1);
                     }),
                     0.5);
    }

    // The airport board (F11) of the busiest airport, which the page lists: opened with its chart painted,
    // and shown in another zone.
    auto* boardAction = window.findChild<QAction*>(QStringLiteral("boardCap"));
    QWidget* board = nullptr;
    report.limit("airport board of " + busy->first + " (F11, painted)", Timed([&] {
                     boardAction->trigger();
                     board = window.findChild<QWidget*>(QStringLiteral("boardFrm"));
                     if (board) board->grab();
                 }),
                 0.2);
    if (auto* zone = board ? board->findChild<QComboBox*>(QStringLiteral("boardZoneCom")) : nullptr) {
        report.limit("airport board in another zone (painted)", Timed([&] {
                         zone->setCurrentIndex(13);
                         emit zone->activated(13);
                         board->grab();
                     }),
                     0.1);
        board->close();
    } else {
        report.note("the airport board did not open", true);
    }

    // The route map (View > Map) beside the FlightPlans page, with the busiest airport listed.
    ui::MapDock& dock = window.mapDock();
    bool landRead = false;
    report.limit("read land.txt", Timed([&] { landRead = dock.loadLand(); }), 0.1);
    if (!landRead) report.note("land.txt could not be read", true);
    window.findChild<QTabBar*>(QStringLiteral("TB"))->setCurrentIndex(0);
    window.resize(1600, 900);
    window.findChild<QAction*>(QStringLiteral("viewMapCap"))->trigger();
    window.resizeDocks({&dock}, {700}, Qt::Horizontal);
    QTest::qWait(50);
    auto listBusy = [&] {
        airport->clear();
        QTest::keyClicks(airport, code);
    };
    const double listed = Timed(listBusy);
    const RouteMapEditor& map = dock.editor();
    int positioned = 0;
    for (const MapAirport& a : map.airports()) positioned += a.positioned;
    const std::string airports = std::to_string(positioned) + " airports";
    report.limit("list " + busy->first + " with the map open (" + std::to_string(map.routes().size()) +
                     " routes)",
                 listed, 0.2);
    ui::MapWidget& widget = *dock.map();
    widget.fitSelection();
    TimeMapRedraws(report, widget,
                   airports + ", " + std::to_string(map.routesDrawn()) + " routes of " + busy->first);

    // The same airport grown to 2,000 routes: flights out and back over two airports it has no route to.
    std::set<std::string> neighbours{busy->first};
    for (const AirportRoute& route : map.routes()) neighbours.insert(route.other);
    const std::size_t wanted = 2000 - std::min<std::size_t>(map.routes().size(), 2000);
    std::vector<std::string> others;
    for (int row = 0; row < table.rowCount() && others.size() < wanted; ++row) {
        const std::string& other = table.cell(row, AirportTable::Icao);
        if (!neighbours.count(other) && AirportPosition(table.cell(row, AirportTable::Latitude),
                                                        table.cell(row, AirportTable::Longitude)))
            others.push_back(other);
    }
    for (std::size_t i = 0; i < others.size(); i += 2) {
        // Out to one and back from another; the odd one out is flown to and back.
        const std::string& second = i + 1 < others.size() ? others[i + 1] : others[i];
        window.session().db.flightTable().append("AC#1,-,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1," +
                                                 others[i] + ",10:00:00,11:00:00,100,F,2," + second +
                                                 ",12:00:00,13:00:00,100,F,3," + busy->first + ",");
    }
    const double grown = Timed(listBusy);
    report.limit("list " + busy->first + " with the map open (" + std::to_string(map.routes().size()) +
                     " routes)",
                 grown, 0.2);
    widget.fitSelection();
    TimeMapRedraws(report, widget,
                   airports + ", " + std::to_string(map.routesDrawn()) + " routes of " + busy->first);

    window.session().db.flightTable().clear(); // no save prompt on the way out
    report.summary();
    return report.passed() ? 0 : 1;
}
