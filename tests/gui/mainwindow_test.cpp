#include "mainwindowfixture.h"
#include "platform/qt/instancefolder.h"
#include "platform/textfile.h"
#include "platformtest.h"
#include "projects/projectcommands.h"
#include "ui/singleinstance.h"
#include "ui/widgethelpers.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocalSocket>
#include <QLockFile>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTreeView>
#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#ifndef _WIN32
#include <poll.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace corvane;
using test::MainWindowFixture;

TEST(MainWindow, startsOnAnEmptyProject) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    EXPECT_EQ(test::ShownTitle(window), QStringLiteral("Corvane - [New Project]"));
    EXPECT_EQ(window.session().db.airportTable().rowCount(), 6);
    EXPECT_EQ(window.session().db.installedAircraftTable().rowCount(), 2);
    EXPECT_EQ(window.session().db.aircraftChoices().count(), 4)
        << "two head entries and two installed aircraft";
    EXPECT_TRUE(window.session().state.decompileNeeded);
    EXPECT_EQ(f.find<QTabBar>("TB")->count(), 4);
    EXPECT_TRUE(f.find("F1")->isVisible());
    EXPECT_FALSE(f.find("F2")->isVisible());
    for (const char* name :
         {"fileCap0", "fileCap1", "fileCap2", "fileCap4", "fileCap5", "fileCap7", "fileCap9", "flightCap0",
          "flightCap1", "flightCap3", "flightCap4", "flightCap6", "menuCap2", "menuCap3"})
        EXPECT_NE(window.findChild<QAction*>(QString::fromLatin1(name)), nullptr) << name;
    // Their keys are pressed in the Desktop tests and ctrlCCopiesTheSelectedRowsAndF7Compiles.
    EXPECT_EQ(window.findChild<QAction*>(QStringLiteral("fileCap7"))->text(),
              QStringLiteral("&Compile FS2002 Traffic.bgl..."));
    EXPECT_EQ(window.findChild<QAction*>(QStringLiteral("fileCap2"))->text(),
              QStringLiteral("O&pen FS2002 Traffic.bgl..."));
}

TEST(MainWindow, startUpChecksInOrder) {
    MainWindowFixture f;
    f.dir.write("program/TDecompiler.exe", "");
    std::filesystem::remove(f.dir.file("program/TDecompiler.exe"));
    std::filesystem::remove(f.dir.file("program/apt.dat"));
    f.prompts.expect("Could not find TDecompiler");
    f.start(false);
}

namespace {

// Runs body on a thread of its own (as a second start of the program would run) while this thread
// answers, and waits at most a few seconds for it.
void WhileAnswering(const std::function<void()>& body) {
    std::atomic<bool> done{false};
    std::thread start([&] {
        body();
        done = true;
    });
    QElapsedTimer waited;
    waited.start();
    while (!done && waited.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    start.join();
}

} // namespace

TEST(MainWindow, aProjectOpenedWhileCorvaneRunsGoesToTheRunningOne) {
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.file("corvane.lock"));
    QLockFile first(path);
    test::ScriptedPrompts prompts;
    ASSERT_EQ(ui::AcquireSingleInstance(first, prompts), ui::InstanceStart::First);
    // A socket left by a crash is no obstacle.
    dir.write("corvane.lock.socket", "left over");
    std::vector<std::string> opened;
    auto handoff = std::make_unique<ui::ProjectHandoff>(ui::ProjectHandoffName(path),
                                                        [&](const std::string& p) { opened.push_back(p); });
    ASSERT_TRUE(handoff->listen());

    // The name's own bytes, not UTF-8 ones included.
    const std::string project = dir.file("Europe \xE9t\xE9.cvp");
    auto started = ui::InstanceStart::First;
    WhileAnswering([&] {
        QLockFile second(path);
        started = ui::AcquireSingleInstance(second, prompts, project);
    });
    EXPECT_EQ(started, ui::InstanceStart::HandedOff);
    EXPECT_TRUE(prompts.shown().empty()) << "no message: the running one took it";
    EXPECT_EQ(opened, std::vector<std::string>{project});

#ifndef _WIN32
    // A socket of that name that belongs to another user is never handed the path.
    const std::string socket = dir.file("corvane.lock.socket");
    ASSERT_EQ(::chown(socket.c_str(), 65534, 65534), 0);
    WhileAnswering([&] {
        QLockFile second(path);
        started = ui::AcquireSingleInstance(second, prompts.expect("Brasswick"), project + "1");
    });
    EXPECT_EQ(started, ui::InstanceStart::Refused);
    EXPECT_EQ(opened.size(), 1u);
    ASSERT_EQ(::chown(socket.c_str(), ::geteuid(), ::getegid()), 0);
#endif

    // While a dialog is open the project waits for it to close.
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    WhileAnswering([&] {
        QLockFile second(path);
        ui::AcquireSingleInstance(second, prompts, project + "2");
    });
    QTest::qWait(300);
    EXPECT_EQ(opened.size(), 1u);
    dialog.close();
    QTest::qWait(400);
    EXPECT_EQ(opened.back(), project + "2");

    // What is not a start of Corvane is ignored; so is an empty name.
    WhileAnswering([&] {
        QLocalSocket stranger;
        stranger.connectToServer(ui::ProjectHandoffName(path));
        ASSERT_TRUE(stranger.waitForConnected(3000));
        stranger.write("GET / HTTP/1.0\r\n\r\n");
        stranger.waitForBytesWritten(3000);
        stranger.waitForDisconnected(3000);
        EXPECT_FALSE(ui::HandOffProject(ui::ProjectHandoffName(path), ""));
    });
    QTest::qWait(100);
    EXPECT_EQ(opened.size(), 2u);

    // Without a running one that listens (as while it starts), or without a project, the refusal.
    handoff.reset();
    prompts.expect("Brasswick").expect("Brasswick");
    QLockFile second(path);
    EXPECT_EQ(ui::AcquireSingleInstance(second, prompts, project), ui::InstanceStart::Refused);
    EXPECT_EQ(ui::AcquireSingleInstance(second, prompts), ui::InstanceStart::Refused);
    EXPECT_EQ(prompts.shown().back().text, "Corvane - FS2002 is already running!");
    first.unlock();
    EXPECT_EQ(ui::AcquireSingleInstance(second, prompts), ui::InstanceStart::First)
        << "the first is untouched, and once it ends the next may run";
    second.unlock();

    // A lock that a killed instance left, in the number this start has been given: taken over.
    QFile left(path);
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
               QCoreApplication::applicationName().toUtf8() + "\n\n");
    left.close();
    QLockFile third(path);
    EXPECT_EQ(ui::AcquireSingleInstance(third, prompts), ui::InstanceStart::First);
}

#ifndef _WIN32
namespace {

mode_t ModeOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

} // namespace

TEST(MainWindow, theLockAndItsSocketStayInAFolderOnlyTheUserCanUse) {
    test::TempDir dir;
    const QString home = QString::fromStdString(dir.mkdir("home"));
    const QString runtime = QDir::cleanPath(QString::fromStdString(dir.mkdir("runtime")));
    const QByteArray runtimeName = QFile::encodeName(runtime);
    ::chmod(runtimeName.constData(), 0700);
    EXPECT_EQ(PrivateInstanceFolder(runtime, home), runtime);

    // A runtime folder open to others, another user's, a file or none: the folder under home, made closed.
    const QString own = HomeInstanceFolder(home);
    ::chmod(runtimeName.constData(), 0710);
    EXPECT_EQ(PrivateInstanceFolder(runtime, home), own);
    EXPECT_EQ(ModeOf(own), 0700u);
    ::chmod(runtimeName.constData(), 0700);
    ASSERT_EQ(::chown(runtimeName.constData(), 65534, 65534), 0);
    EXPECT_EQ(PrivateInstanceFolder(runtime, home), own);
    EXPECT_EQ(PrivateInstanceFolder(QString::fromStdString(dir.write("file", "")), home), own);
    EXPECT_EQ(PrivateInstanceFolder({}, home), own);

    // One under home that is not the user's alone is neither used nor changed.
    const QByteArray ownName = QFile::encodeName(own);
    ::chmod(ownName.constData(), 0750);
    EXPECT_EQ(PrivateInstanceFolder({}, home), QString());
    EXPECT_EQ(ModeOf(own), 0750u);
    ::chmod(ownName.constData(), 0700);
    ASSERT_EQ(::chown(ownName.constData(), 65534, 65534), 0);
    EXPECT_EQ(PrivateInstanceFolder({}, home), QString());

    // No runtime folder and Qt's one in the shared folder made by somebody else: never the shared folder.
    const std::string shared = dir.mkdir("shared");
    const std::string qtRuntime = shared + "runtime-" + ::getpwuid(::geteuid())->pw_name;
    ::mkdir(qtRuntime.c_str(), 0700);
    ASSERT_EQ(::chown(qtRuntime.c_str(), 65534, 65534), 0);
    const QString otherHome = QString::fromStdString(dir.mkdir("other home"));
    test::ScopedEnv noRuntime("XDG_RUNTIME_DIR", std::nullopt);
    test::ScopedEnv sharedTemp("TMPDIR", shared);
    test::ScopedEnv homeEnv("HOME", otherHome.toStdString());
    EXPECT_EQ(ui::SingleInstanceLockPath(), HomeInstanceFolder(otherHome) + QStringLiteral("/corvane.lock"));

    // Without a private folder the start is refused, saying why.
    test::ScopedEnv ownHome("HOME", home.toStdString());
    QLockFile lock(ui::SingleInstanceLockPath());
    test::ScriptedPrompts prompts;
    prompts.expect("Corvane");
    EXPECT_EQ(ui::AcquireSingleInstance(lock, prompts, dir.file("a.cvp")), ui::InstanceStart::Refused);
    const auto noLock = [](const std::string& folder) {
        return "Corvane cannot make sure that it runs only once: its lock file cannot be made in ''" +
               folder + "''.\r\nThat folder must be yours alone, closed to everybody else (mode 0700).";
    };
    EXPECT_EQ(prompts.shown().back().text, noLock(own.toStdString()));
    // Nor does a lock that cannot be made count as one that another instance holds.
    QLockFile nowhere(QString::fromStdString(dir.file("file/corvane.lock")));
    EXPECT_EQ(ui::AcquireSingleInstance(nowhere, prompts.expect("Corvane")), ui::InstanceStart::Refused);
    EXPECT_EQ(prompts.shown().back().text, noLock(dir.file("file")));
}

namespace {

// The open files of this process.
int OpenFiles() {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                          std::filesystem::directory_iterator()));
}

// Waits, answering, for a number from fd.
std::optional<int> NumberFrom(int fd) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 0) == 1) {
            int number = 0;
            return ::read(fd, &number, sizeof number) == sizeof number ? std::optional(number) : std::nullopt;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return std::nullopt;
}

} // namespace

TEST(MainWindow, idleConnectionsCannotEndTheHandoff) {
    test::TempDir dir;
    const QString name = ui::ProjectHandoffName(QString::fromStdString(dir.file("corvane.lock")));
    std::vector<std::string> opened;
    ui::ProjectHandoff handoff(name, [&](const std::string& p) { opened.push_back(p); });
    handoff.setWaitLimit(std::chrono::milliseconds(1000));
    ASSERT_TRUE(handoff.listen());

    // This process may open a few dozen files more; another opens hundreds more connections than that
    // and leaves them idle.
    rlimit before{};
    ::getrlimit(RLIMIT_NOFILE, &before);
    const rlimit lowered{static_cast<rlim_t>(OpenFiles() + 40), before.rlim_max};
    constexpr int kFlood = 400;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(name).constData(), sizeof address.sun_path - 1);
    std::vector<int> held;
    held.reserve(kFlood); // the child allocates nothing
    int toChild[2], fromChild[2];
    ASSERT_EQ(::pipe(toChild), 0);
    ASSERT_EQ(::pipe(fromChild), 0);
    ::setrlimit(RLIMIT_NOFILE, &lowered);
    const pid_t child = ::fork();
    if (child < 0) ::setrlimit(RLIMIT_NOFILE, &before);
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setrlimit(RLIMIT_NOFILE, &before);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (held.size() < kFlood && std::chrono::steady_clock::now() < until) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
            if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
                held.push_back(fd);
                continue;
            }
            const bool full = errno == EAGAIN;
            ::close(fd);
            if (!full) break; // nobody listens any more
            ::usleep(1000);
        }
        int count = static_cast<int>(held.size());
        ::write(fromChild[1], &count, sizeof count);
        char go = 0;
        ::read(toChild[0], &go, 1);
        // Each one the other end has closed reads as its end.
        count = 0;
        for (const int fd : held) {
            char byte = 0;
            if (::read(fd, &byte, 1) == 0 || errno == ECONNRESET) ++count;
        }
        ::write(fromChild[1], &count, sizeof count);
        ::_exit(0);
    }
    const std::optional<int> flood = NumberFrom(fromChild[0]);

    // A start afterwards is still handed over.
    bool handedOff = false;
    WhileAnswering([&] { handedOff = ui::HandOffProject(name, dir.file("after.cvp")); });
    ::setrlimit(RLIMIT_NOFILE, &before);
    EXPECT_EQ(flood, kFlood);
    EXPECT_TRUE(handedOff);
    EXPECT_EQ(opened, std::vector<std::string>{dir.file("after.cvp")});

    // Once the wait limit has passed none of the idle ones is still open.
    QTest::qWait(1300);
    ::write(toChild[1], "", 1);
    EXPECT_EQ(NumberFrom(fromChild[0]), flood);
    for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) ::close(fd);
    ::waitpid(child, nullptr, 0);
}
#endif

TEST(MainWindow, optionsWindowInsistsOnAValidFolder) {
    MainWindowFixture f;
    f.settings.setValue("FS2002 Path", f.dir.file("nowhere/"));
    f.dir.mkdir("wrong");
    // Start-up finds no valid folder: OK with a wrong one keeps the window open, the right one closes it.
    MainWindowFixture::whenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("optionsFrm"));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options"));
        auto* path = dialog->findChild<QLineEdit*>(QStringLiteral("pathTxt"));
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("okCmd"));
        // The program folder's tools are not the stand-ins.
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("toolsLbl"))->text(),
                  QStringLiteral("Traffic tools: TCompiler.exe and TDecompiler.exe, not stand-in"));
        path->setText(QString::fromStdString(f.dir.file("wrong")));
        emit path->textEdited(path->text());
        f.prompts.expect("Error finding FS2002");
        ok->click();
        EXPECT_TRUE(dialog->isVisible());
        path->setText(QString::fromStdString(f.dir.file("FS2002")));
        emit path->textEdited(path->text());
        ok->click();
    });
    ui::MainWindow& window = f.start();
    EXPECT_EQ(window.session().state.fsFolder, f.dir.file("FS2002/"));
    EXPECT_EQ(f.settings.value("FS2002 Path"), f.dir.file("FS2002/"));

    // From the menu, with the folder gone: closing asks whether to quit; No keeps the window open.
    std::filesystem::remove(f.dir.file("FS2002/fs2002.exe"));
    MainWindowFixture::whenModal([&](QWidget* dialog) {
        f.prompts.expect("FS2002 path needed", Answer::No);
        dialog->close();
        EXPECT_TRUE(dialog->isVisible());
        f.prompts.expect("FS2002 path needed", Answer::Yes);
        dialog->findChild<QPushButton*>(QStringLiteral("cancelCmd"))->click();
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_FALSE(window.showOptions()) << "Yes ends the program";
}

TEST(MainWindow, flightsMenuFollowsThePageAndTheTable) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    auto* menu = f.find<QMenu>("menuCap1");
    emit menu->aboutToShow();
    EXPECT_TRUE(f.find<QAction>("flightCap0")->isEnabled());
    for (const char* name :
         {"flightCap1", "flightCap3", "flightCap4", "flightCap6", "moveTrafficCap", "retimeCap"})
        EXPECT_FALSE(f.find<QAction>(name)->isEnabled()) << name;

    window.session().db.flightTable().append("AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ENGM,");
    emit menu->aboutToShow();
    for (const char* name :
         {"flightCap1", "flightCap3", "flightCap4", "flightCap6", "moveTrafficCap", "retimeCap"})
        EXPECT_TRUE(f.find<QAction>(name)->isEnabled()) << name;
    EXPECT_EQ(f.find<QAction>("moveTrafficCap")->text(), QStringLiteral("Move an airport's traffic..."));
    EXPECT_EQ(f.find<QAction>("retimeCap")->text(),
              QStringLiteral("Set arrival times from cruise speeds..."));
    EXPECT_LT(menu->actions().indexOf(f.find<QAction>("flightCap6")),
              menu->actions().indexOf(f.find<QAction>("moveTrafficCap")))
        << "after the filters";

    auto* tabs = f.find<QTabBar>("TB");
    for (int page = 1; page < 4; ++page) {
        tabs->setCurrentIndex(page);
        EXPECT_FALSE(menu->menuAction()->isEnabled()) << "page " << page;
        EXPECT_TRUE(f.find(("F" + std::to_string(page + 1)).c_str())->isVisible());
    }
    tabs->setCurrentIndex(0);
    EXPECT_TRUE(menu->menuAction()->isEnabled());
}

// Save and Save As reach the project commands, and the title follows (what they ask and write, and
// their failures, are the project commands' tests).
TEST(MainWindow, saveFlows) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    Session& session = window.session();
    session.db.flightTable().append(
        "AC#1,N1,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ENGM,10:00:00,11:00:00,100,F,2,ESSA,");
    // "new": Save opens Save As.
    f.prompts.expectFile(f.dir.file("Europe.cvp"));
    f.trigger("fileCap4");
    EXPECT_EQ(test::ShownTitle(window),
              QString::fromStdString("Corvane - [" + f.dir.file("Europe.cvp") + "]"));
    f.prompts.expectFile(f.dir.file("Europe.cvp")).expect("Overwrite existing file", Answer::No);
    f.trigger("fileCap5"); // the name it proposes is the project commands' tests
}

namespace {

// The next decompile leaves one flight, ESSA-ENGM of the Boeing.
void ExpectDecompileOfOneFlight(MainWindowFixture& f) {
    f.tools.expectExit(0, [](const test::FakeToolRunner::Call& call) {
        test::TempDir::writeFile(call.workingFolder + "/aircraft.txt", "AC#1,430,\"Boeing 737-400\"\r\n");
        test::TempDir::writeFile(call.workingFolder + "/airports.txt",
                                 "ENGM,N60* 11.6',E11* 6.0',681,-,-\r\n");
        test::TempDir::writeFile(
            call.workingFolder + "/flightplans.txt",
            "AC#1,N1,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ESSA,10:00:00,11:00:00,100,F,2,ENGM,\r\n");
    });
}

} // namespace

TEST(MainWindow, openTrafficBglAndShutDown) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    ExpectDecompileOfOneFlight(f);
    f.trigger("fileCap2");
    EXPECT_EQ(test::ShownTitle(window), QStringLiteral("Corvane - [Traffic.BGL]"));
    EXPECT_EQ(window.flightEditor().infoLbl(), "Flights at ENGM")
        << "the first airport that has flights is listed";
    EXPECT_EQ(window.flightEditor().flightsLst().size(), 1u);
    ASSERT_TRUE(std::filesystem::exists(f.dir.file("program/TempData")));
    // Shut-down: nothing changed since the open, so no save prompt; the scratch folder goes.
    window.close();
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("program/TempData")));
}

TEST(MainWindow, ctrlCCopiesTheSelectedRowsAndF7Compiles) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    Session& session = window.session();
    session.db.flightTable().append(
        "AC#1,N1,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,ESSA,10:00:00,11:00:00,100,F,2,ENGM,");
    f.prompts.expectFile(f.dir.file("Copy.cvp"));
    f.trigger("fileCap5"); // a project: a compile would ask first
    // A flight of an aircraft that is not installed: a warning in the check window.
    session.db.missingAircraftTable().add({"Lockheed Electra", "250", "AC#9"});
    session.db.flightTable().append(
        "AC#9,N9,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,EKCH,10:00:00,11:00:00,100,F,2,ESSA,");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(f.find<QComboBox>("aptCom")->lineEdit(), QStringLiteral("ENGM"));
    QClipboard* clipboard = QGuiApplication::clipboard();

    // In a list, Copy is the rows, never a compile (an unexpected question fails the test).
    auto* flights = f.find<QTreeView>("flightsLst");
    flights->setFocus();
    QTest::keyClick(flights, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("Flight\tIndex\nENGM-ESSA\t0\n"));
    EXPECT_TRUE(f.tools.calls().empty());
    // In a text field it is the field's own.
    auto* tail = f.find<QLineEdit>("tailTxt");
    tail->setFocus();
    tail->selectAll();
    QTest::keyClick(tail, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("N1"));

    // Every list of the window, and of the check window, copies its rows.
    f.trigger("flightCap8");
    QTest::keyClicks(f.find<QLineEdit>("flightSearchTxt"), QStringLiteral("n1"));
    f.find<QTabBar>("TB")->setCurrentIndex(2); // the aircraft lists are filled when shown
    QList<QTreeView*> lists = window.findChildren<QTreeView*>();
    ASSERT_EQ(lists.size(), 7);
    for (QTreeView* list : lists) {
        ASSERT_GT(list->model()->rowCount(), 0) << list->objectName().toStdString();
        list->selectionModel()->setCurrentIndex(
            list->model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        clipboard->clear();
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard->text(), ui::SelectedRowsText(list)) << list->objectName().toStdString();
        EXPECT_TRUE(clipboard->text().endsWith(u'\n')) << list->objectName().toStdString();
    }
    // Several problems at once, only the columns shown, in the order shown.
    auto* problems = f.find<QTreeView>("problemsLst");
    problems->header()->moveSection(5, 0);
    problems->setColumnHidden(3, true);
    problems->selectAll();
    const QStringList lines = ui::SelectedRowsText(problems).split(u'\n');
    ASSERT_EQ(lines.size(), problems->model()->rowCount() + 2);
    EXPECT_EQ(lines[0], QStringLiteral("Message\tSeverity\tFlight\tRoute\tCheck"));
    EXPECT_EQ(lines[1].section(u'\t', 1, 1), problems->model()->index(0, 0).data().toString());

    // F7 compiles: here the question of a project's compile comes first.
    f.prompts.expect("WARNING", Answer::No);
    QTest::keyClick(&window, Qt::Key_F7);
    EXPECT_EQ(f.prompts.shown().back().title, "WARNING");
}

TEST(MainWindow, theStatusBarSaysWhatWasDone) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    Session& session = window.session();
    const auto status = [&] { return window.statusBar()->currentMessage(); };
    session.db.flightTable().append(
        "AC#1,N1,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,ESSA,10:00:00,11:00:00,100,F,2,ENGM,");
    session.db.flightTable().append(
        "AC#2,N2,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,EKCH,10:00:00,11:00:00,100,F,2,ENGM,");
    const std::string project = f.dir.file("Status.cvp");
    f.prompts.expectFile(project);
    f.trigger("fileCap5");
    EXPECT_EQ(status(), QStringLiteral("Project saved as 'Status.cvp'"));

    f.trigger("fileCap0");
    EXPECT_EQ(status(), QStringLiteral("New project: 6 airports and 2 aircraft"));
    f.prompts.expectFile(project);
    f.trigger("fileCap1");
    EXPECT_EQ(status(), QStringLiteral("'Status.cvp' opened: 2 flights, 6 airports and 2 aircraft"));

    ExpectDecompileOfOneFlight(f);
    f.trigger("fileCap2");
    EXPECT_EQ(status(), QStringLiteral("Traffic.bgl opened: 1 flight, 6 airports and 2 aircraft"));

    // The compile names the backup it made.
    const std::string bgl = f.dir.write("FS2002/SCENEDB/ATC/Scenery/traffic.bgl", "the old traffic");
    f.tools.expectExit(0, [bgl](const test::FakeToolRunner::Call&) { test::TempDir::writeFile(bgl, "new"); });
    QTest::keyClick(&window, Qt::Key_F7);
    ASSERT_EQ(f.dir.read("FS2002/SCENEDB/ATC/Scenery/traffic.bgl"), "new");
    const std::string backup = session.lastBackup.substr(session.lastBackup.rfind('/') + 1);
    EXPECT_EQ(backup.rfind("Traffic (", 0), 0u) << backup;
    EXPECT_EQ(status(), QString::fromStdString(
                            "Traffic.bgl compiled; the old file is in Traffic Backup as '" + backup + "'"));

    // A save that fails says so in its message; the status bar no longer tells of the last success.
    SetAtomicWriteFailureForTesting(10);
    f.prompts.expectFile(project).expect("Overwrite existing file", Answer::Yes).expect("Error writing file");
    f.trigger("fileCap4");
    SetAtomicWriteFailureForTesting(std::nullopt);
    EXPECT_EQ(status(), QString());
}
