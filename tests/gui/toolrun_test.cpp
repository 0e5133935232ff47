// The traffic tools at work: the window lives on (it repaints, its timers fire), the progress window
// shows the run, the user's input reaches no page, and Open can be cancelled. (That Compile cannot, and
// that a tool past its time limit is stopped and reported, are the progress window's, the tool runners'
// and the trafficbgl tests'.)

#include "environment/scratch.h"
#include "mainwindowfixture.h"
#include "platform/qt/qttoolrunner.h"
#include "scriptedtool.h"
#include "ui/progresswindow.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <functional>

using namespace corvane;
using test::MainWindowFixture;

namespace {

namespace fs = std::filesystem;

// A decompiler that takes its time: it sleeps, then leaves the three text databases.
std::string Decompiler(const std::string& sleepMs) {
    return "write aircraft.txt AC#1,430,\"Boeing 737-400\"\n"
           "sleep " +
           sleepMs +
           "\n"
           "write airports.txt ENGM,N60* 11.6',E11* 6.0',681,-,-\n"
           "write flightplans.txt "
           "AC#1,N1,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ESSA,10:00:00,11:00:00,100,F,2,ENGM,\n";
}

void InstallTool(const MainWindowFixture& f, const char* name, const std::string& script) {
    test::ScriptedTool(f.dir, "program/" + std::string(name), script);
}

// What the test sees, and does, while a tool runs: a timer on the GUI thread that fires every 50 ms,
// the main window's repaints, and one action at a chosen moment.
struct DuringTheRun : QObject {
    ui::MainWindow& window;
    QTimer timer;
    QElapsedTimer clock;
    int ticks = 0;
    int paints = 0;
    int actAtMs;
    std::function<void()> action;
    bool acted = false;

    DuringTheRun(ui::MainWindow& w, int atMs, std::function<void()> act)
        : window(w)
        , actAtMs(atMs)
        , action(std::move(act)) {
        window.installEventFilter(this);
        timer.setInterval(50);
        connect(&timer, &QTimer::timeout, this, [this] {
            ++ticks;
            window.update();
            if (!acted && clock.elapsed() >= actAtMs) {
                acted = true;
                action();
            }
        });
        clock.start();
        timer.start();
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window && event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

QPoint CentreOf(QWidget* widget, QWidget* top) {
    return widget->mapTo(top, widget->rect().center());
}

// A main window whose traffic tools are real programs, run by the window's own runner.
struct RealToolsWindow : MainWindowFixture {
    QtToolRunner runner;
    ui::MainWindow& window = start(true, &runner);
    RealToolsWindow() { window.show(); }
    // The installed traffic opened by a decompiler that is quick about it.
    void openTraffic() {
        InstallTool(*this, "TDecompiler.exe", Decompiler("0"));
        trigger("fileCap2");
    }
};

} // namespace

TEST(ToolRuns, theWindowLivesAndHoldsItsInputWhileATrafficToolRuns) {
    RealToolsWindow f;
    ui::MainWindow& window = f.window;
    InstallTool(f, "TDecompiler.exe", Decompiler("3000"));
    auto* tabs = f.find<QTabBar>("TB");
    tabs->setFocus();

    struct Seen {
        bool visible = false;
        QString title, elapsed;
        bool cancel = false, percentShown = true;
        int pageAfterWindowInput = -1, pageAfterWidgetInput = -1;
    } seen;
    DuringTheRun during(window, 1500, [&] {
        ui::ProgressWindow& progress = window.progressWindow();
        seen.visible = progress.isVisible();
        seen.title = progress.windowTitle();
        seen.elapsed = progress.findChild<QLabel*>(QStringLiteral("elapsedLbl"))->text();
        seen.cancel = progress.findChild<QPushButton*>(QStringLiteral("cancelCmd"))->isVisible();
        seen.percentShown = progress.findChild<QLabel*>(QStringLiteral("infoLbl"))->isVisible();
        // The user clicks another page and presses the arrow key that turns the page, through the
        // window system as a real user would, and straight at the widget.
        QWindow* handle = window.windowHandle();
        QTest::mouseClick(handle, Qt::LeftButton, {}, tabs->mapTo(&window, tabs->tabRect(2).center()));
        QTest::keyClick(handle, Qt::Key_Right);
        seen.pageAfterWindowInput = tabs->currentIndex();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
        QTest::keyClick(tabs, Qt::Key_Right);
        seen.pageAfterWidgetInput = tabs->currentIndex();
    });
    QElapsedTimer clock;
    clock.start();
    f.trigger("fileCap2");
    const qint64 took = clock.elapsed();

    EXPECT_GE(took, 3000) << "the decompiler ran";
    EXPECT_GE(during.ticks, 40) << "the GUI thread's timer fired all through the run";
    EXPECT_GE(during.paints, 10) << "the window repainted";
    EXPECT_TRUE(seen.visible);
    EXPECT_EQ(seen.title, QStringLiteral("Decompiling Traffic.bgl..."));
    EXPECT_EQ(seen.elapsed, QStringLiteral("1 s"));
    EXPECT_TRUE(seen.cancel) << "an open may be cancelled";
    EXPECT_FALSE(seen.percentShown) << "a tool gives no percentage";
    EXPECT_EQ(seen.pageAfterWindowInput, 0) << "no page gets the user's input";
    EXPECT_EQ(seen.pageAfterWidgetInput, 0);

    EXPECT_EQ(test::ShownTitle(window), QStringLiteral("Corvane - [Traffic.BGL]"));
    EXPECT_EQ(window.session().db.flightTable().count(), 1);
    EXPECT_FALSE(window.progressWindow().isVisible());
    // Nothing the user did during the run arrives afterwards either.
    QApplication::processEvents();
    EXPECT_EQ(tabs->currentIndex(), 0);
    // And input works again once the run is over.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    EXPECT_EQ(tabs->currentIndex(), 2);
}

TEST(ToolRuns, cancelDuringOpenLeavesThePreviousData) {
    RealToolsWindow f;
    ui::MainWindow& window = f.window;
    f.openTraffic();
    ASSERT_EQ(test::ShownTitle(window), QStringLiteral("Corvane - [Traffic.BGL]"));
    const std::string before = window.session().db.flightTable().at(0);

    // As after a compile, the next open decompiles again; this time the decompiler hangs.
    window.session().state.decompileNeeded = true;
    InstallTool(f, "TDecompiler.exe", Decompiler("30000"));
    // Nothing unsaved: no save question, and no message after the cancel.
    DuringTheRun during(window, 1200, [&] {
        ui::ProgressWindow& progress = window.progressWindow();
        ASSERT_TRUE(progress.isVisible());
        auto* cancel = progress.findChild<QPushButton*>(QStringLiteral("cancelCmd"));
        QTest::mouseClick(progress.windowHandle(), Qt::LeftButton, {}, CentreOf(cancel, &progress));
    });
    QElapsedTimer clock;
    clock.start();
    f.trigger("fileCap2");
    EXPECT_LT(clock.elapsed(), 6000) << "Cancel ended the decompiler";
    EXPECT_TRUE(during.acted);
    EXPECT_FALSE(window.progressWindow().isVisible());
    EXPECT_EQ(test::ShownTitle(window), QStringLiteral("Corvane - [Traffic.BGL]"));
    ASSERT_EQ(window.session().db.flightTable().count(), 1);
    EXPECT_EQ(window.session().db.flightTable().at(0), before);
    EXPECT_TRUE(window.session().state.decompileNeeded);
    EXPECT_FALSE(fs::exists(f.dir.file("program/TempData"))) << "TempData is cleaned";
}
