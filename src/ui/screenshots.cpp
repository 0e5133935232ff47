// corvane-screenshots OUTPUT_FOLDER TIMETABLE: starts Corvane on the installation the environment points
// at (the demo's), opens its Traffic.bgl, and saves a picture of each page for the user guide, then one
// of the File menu open, one of the window with the route map beside the FlightPlans page, one of the
// flight's timeline, one of the airport board and one of the preview of importing TIMETABLE. Questions
// take their default answers; nothing is saved.

#include "cli/consoleprompts.h"
#include "editors/timetableeditor.h"
#include "environment/programstate.h"
#include "platform/qt/qtsettingsstore.h"
#include "platform/qt/qttoolrunner.h"
#include "platform/systemregistry.h"
#include "ui/mainwindow.h"
#include "ui/mapdock.h"
#include "ui/mapwidget.h"
#include "ui/timetabledialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTabBar>
#include <QTest>
#include <QTreeView>
#include <iostream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: corvane-screenshots OUTPUT_FOLDER TIMETABLE\n";
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    const QString folder = QApplication::arguments().at(1);
    QDir().mkpath(folder);

    corvane::cli::ConsolePrompts prompts(std::cerr);
    const auto registry = corvane::SystemRegistry();
    corvane::QtSettingsStore settings;
    corvane::QtToolRunner tools;
    corvane::ui::Platform platform{*registry, settings, tools, corvane::RunningProgramFolder(argv[0])};
    corvane::ui::MainWindow window(platform, &prompts);
    if (!window.startUp()) return 1;
    window.resize(1180, 760);
    window.fileCap_Click(2); // O&pen FS2002 Traffic.bgl...
    QLineEdit* airport = window.findChild<QComboBox*>(QStringLiteral("aptCom"))->lineEdit();
    airport->clear();
    QTest::keyClicks(airport, QStringLiteral("ENGM"));

    const QString suffix = QStringLiteral(".png");
    auto savePicture = [&](const QPixmap& picture, const char* name) {
        const QString path = folder + QLatin1Char('/') + QString::fromLatin1(name) + suffix;
        if (!picture.save(path)) {
            std::cerr << "could not save " << path.toStdString() << '\n';
            return false;
        }
        std::cout << path.toStdString() << '\n';
        return true;
    };
    auto save = [&](QWidget* widget, const char* name) { return savePicture(widget->grab(), name); };
    const char* names[] = {"1-flightplans", "2-airports", "3-aircraft", "4-import-export"};
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("TB"));
    for (int page = 0; page < 4; ++page) {
        tabs->setCurrentIndex(page);
        QTest::qWait(200);
        if (!save(&window, names[page])) return 1;
    }

    // The searches: airports by name, flights by their aircraft.
    tabs->setCurrentIndex(1);
    auto* airportSearch = window.findChild<QLineEdit*>(QStringLiteral("aptSearchTxt"));
    QTest::keyClicks(airportSearch, QStringLiteral("oslo"));
    QTest::qWait(200);
    if (!save(&window, "7-airport-search")) return 1;
    airportSearch->clear();
    tabs->setCurrentIndex(0);
    auto* flightSearch = window.findChild<QLineEdit*>(QStringLiteral("flightSearchTxt"));
    QTest::keyClicks(flightSearch, QStringLiteral("dash"));
    QTest::qWait(200);
    if (!save(&window, "8-flight-search")) return 1;
    flightSearch->clear();

    // The File menu open over the window, with its keys (Compile on F7) and the recent projects, and the
    // status bar saying what the open loaded. A menu is a window of its own: it is drawn onto the picture.
    QAction* fileItem = window.menuBar()->actions().front();
    QMenu* fileMenu = fileItem->menu();
    fileMenu->popup(window.menuBar()->mapToGlobal(window.menuBar()->actionGeometry(fileItem).bottomLeft()));
    QTest::qWait(200);
    QPixmap withMenu = window.grab();
    QPainter painter(&withMenu);
    painter.drawPixmap(window.mapFromGlobal(fileMenu->pos()), fileMenu->grab());
    painter.end();
    fileMenu->hide();
    if (!savePicture(withMenu, "10-file-menu")) return 1;

    // The map beside the FlightPlans page: the routes of ENGM, a flight of several legs with its second
    // leg on screen, and the timeline of that flight.
    tabs->setCurrentIndex(0);
    window.resize(1700, 800);
    window.findChild<QAction*>(QStringLiteral("viewMapCap"))->trigger();
    auto* flights = window.findChild<QTreeView*>(QStringLiteral("flightsLst"));
    for (int row = 0; row < flights->model()->rowCount(); ++row) {
        flights->setCurrentIndex(flights->model()->index(row, 0));
        if (window.flightEditor().legs().rows().size() >= 4) break;
    }
    auto* legs = window.findChild<QTreeView*>(QStringLiteral("legsLst"));
    legs->setCurrentIndex(legs->model()->index(1, 0));
    QTest::qWait(100);
    window.resizeDocks({&window.mapDock()}, {640}, Qt::Horizontal);
    QTest::qWait(100);
    // The flight, with room around it for the airport's other routes.
    window.mapDock().map()->fitSelection();
    window.mapDock().map()->zoomOut();
    QTest::qWait(400); // the land is smoothed once the view is still
    if (!save(&window, "5-map")) return 1;
    if (!save(window.findChild<QWidget*>(QStringLiteral("Frame3")), "6-timeline")) return 1;

    // The airport board of ENGM in Oslo's time (+1), with the chart of its busiest day.
    window.findChild<QAction*>(QStringLiteral("boardCap"))->trigger();
    auto* board = window.findChild<QWidget*>(QStringLiteral("boardFrm"));
    board->resize(1180, 800);
    auto* zone = board->findChild<QComboBox*>(QStringLiteral("boardZoneCom"));
    zone->setCurrentIndex(13);
    emit zone->activated(13);
    QTest::qWait(300);
    if (!save(board, "9-airport-board")) return 1;

    // The preview of File > "Import Timetable..." over the user guide's example.
    corvane::TimetableEditor timetable(window.session(), 10);
    if (!timetable.load(QFile::encodeName(QApplication::arguments().at(2)).toStdString())) return 1;
    corvane::ui::TimetableDialog preview(timetable, prompts, &window);
    preview.resize(1100, 460);
    preview.show();
    QTest::qWait(200);
    if (!save(&preview, "11-timetable")) return 1;
    window.session().db.flightTable().clear(); // leave without the save prompt
    return 0;
}
