// corvane [PROJECT.cvp]: the FS2002 AI traffic editor; a project named on the command line (as the file
// manager does) is opened once the program has started.

#include "environment/programstate.h"
#include "platform/hostfs.h"
#include "platform/programstart.h"
#include "platform/qt/qtsettingsstore.h"
#include "platform/qt/qttoolrunner.h"
#include "platform/systemregistry.h"
#include "ui/application.h"
#include "ui/mainwindow.h"
#include "ui/singleinstance.h"

#include <QIcon>
#include <QLockFile>

int main(int argc, char** argv) {
    corvane::PrepareProcess();
    corvane::ui::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/corvane-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    corvane::ui::QtPrompts prompts(nullptr);
    QLockFile lock(corvane::ui::SingleInstanceLockPath());
    // The project named on the command line, as the system gave it, made absolute: a running instance
    // that takes it has a working folder of its own.
    std::string project;
    const std::vector<std::string> arguments = corvane::ProgramArguments(argc, argv);
    if (!arguments.empty() && !arguments.front().empty())
        project = corvane::hostfs::AbsolutePath(arguments.front());
    // A project opened while Corvane runs goes to the running one.
    switch (corvane::ui::AcquireSingleInstance(lock, prompts, project)) {
    case corvane::ui::InstanceStart::First:
        break;
    case corvane::ui::InstanceStart::HandedOff:
        return 0;
    case corvane::ui::InstanceStart::Refused:
        return 1;
    }

    corvane::QtToolRunner tools;
    // The system's registry; on Linux Wine's, written through Wine where it is installed.
    const auto registry = corvane::SystemRegistry(&tools);
    corvane::QtSettingsStore settings;
    // The folder's own bytes: its name need not be UTF-8.
    corvane::ui::Platform platform{*registry, settings, tools, corvane::RunningProgramFolder(argv[0])};
    corvane::ui::MainWindow window(platform);
    if (!window.startUp()) return 1;
    if (!project.empty()) window.openProjectFile(project);
    corvane::ui::ProjectHandoff handoff(corvane::ui::ProjectHandoffName(lock.fileName()),
                                        [&window](const std::string& path) {
                                            window.openProjectFile(path);
                                            window.raise();
                                            window.activateWindow();
                                        });
    handoff.listen();
    return QApplication::exec();
}
