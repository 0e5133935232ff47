// corvane: the FS2002 AI traffic editor. It takes no arguments.

#include "environment/qt/qtsettingsstore.h"
#include "environment/qt/qttoolrunner.h"
#include "environment/wineprefix.h"
#include "environment/wineregistry.h"
#include "traffic/paths.h"
#include "ui/mainwindow.h"
#include "ui/singleinstance.h"

#include <QApplication>
#include <QLockFile>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    corvane::ui::QtPrompts prompts(nullptr);
    QLockFile lock(corvane::ui::SingleInstanceLockPath());
    if (!corvane::ui::AcquireSingleInstance(lock, prompts)) return 1;

    corvane::WineRegistry registry(corvane::WinePrefix::fromEnvironment());
    corvane::QtSettingsStore settings;
    corvane::QtToolRunner tools;
    corvane::ui::Platform platform{registry, settings, tools,
                                   corvane::WithSeparator(QApplication::applicationDirPath().toStdString())};
    corvane::ui::MainWindow window(platform);
    if (!window.startUp()) return 1;
    return QApplication::exec();
}
