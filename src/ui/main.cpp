// corvane: the FS2002 AI traffic editor. It takes no arguments.

#include "environment/programstart.h"
#include "environment/programstate.h"
#include "environment/qt/qtsettingsstore.h"
#include "environment/qt/qttoolrunner.h"
#include "environment/systemregistry.h"
#include "ui/application.h"
#include "ui/mainwindow.h"
#include "ui/singleinstance.h"

#include <QLockFile>

int main(int argc, char** argv) {
    corvane::PrepareProcess();
    corvane::ui::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    corvane::ui::QtPrompts prompts(nullptr);
    QLockFile lock(corvane::ui::SingleInstanceLockPath());
    if (!corvane::ui::AcquireSingleInstance(lock, prompts)) return 1;

    corvane::QtToolRunner tools;
    // The system's registry; on Linux Wine's, written through Wine where it is installed.
    const auto registry = corvane::SystemRegistry(&tools);
    corvane::QtSettingsStore settings;
    // The folder's own bytes: its name need not be UTF-8.
    corvane::ui::Platform platform{*registry, settings, tools, corvane::RunningProgramFolder(argv[0])};
    corvane::ui::MainWindow window(platform);
    if (!window.startUp()) return 1;
    return QApplication::exec();
}
