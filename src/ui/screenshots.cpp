// corvane-screenshots OUTPUT_FOLDER: starts Corvane on the installation the environment points at (the
// demo's), opens its Traffic.bgl, and saves a picture of each page for the user guide. Questions take
// their default answers; nothing is saved.

#include "cli/consoleprompts.h"
#include "environment/programstate.h"
#include "environment/qt/qtsettingsstore.h"
#include "environment/qt/qttoolrunner.h"
#include "environment/systemregistry.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <iostream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: corvane-screenshots OUTPUT_FOLDER\n";
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

    const char* names[] = {"1-flightplans", "2-airports", "3-aircraft", "4-import-export"};
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("TB"));
    for (int page = 0; page < 4; ++page) {
        tabs->setCurrentIndex(page);
        QTest::qWait(200);
        const QString path =
            folder + QLatin1Char('/') + QString::fromLatin1(names[page]) + QStringLiteral(".png");
        if (!window.grab().save(path)) {
            std::cerr << "could not save " << path.toStdString() << '\n';
            return 1;
        }
        std::cout << path.toStdString() << '\n';
    }
    window.session().db.flightTable().clear(); // leave without the save prompt
    return 0;
}
