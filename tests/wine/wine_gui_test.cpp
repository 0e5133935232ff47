// The window's Open and Compile through the Windows tools under a real Wine, with its event loop
// running all along: its timers fire, the progress window shows the run.

#include "memoryregistry.h"
#include "platform/qt/qttoolrunner.h"
#include "platform/wineregistry.h"
#include "realwine.h"
#include "scriptedprompts.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::RealWine;

namespace fs = std::filesystem;

namespace {

// Counts the ticks of a timer on the GUI thread and notes the progress window's captions while it shows.
struct Watch : QObject {
    QTimer timer;
    int ticks = 0;
    QStringList captions;
    explicit Watch(ui::MainWindow& window) {
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, this, [this, &window] {
            ++ticks;
            const QString caption = window.progressWindow().windowTitle();
            if (window.progressWindow().isVisible() && !captions.contains(caption)) captions << caption;
        });
        timer.start();
    }
};

void Trigger(ui::MainWindow& window, const char* name) {
    auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
}

} // namespace

TEST(RealWineWindow, opensAndCompilesWithItsEventLoopRunning) {
    RealWine& wine = RealWine::get();
    QtToolRunner runner;
    WineRegistry registry(WinePrefix(wine.prefix), WineCommands{&runner});
    test::MemorySettings settings;
    settings.setValue("FS2002 Path", wine.fsFolder);
    test::ScriptedPrompts prompts;
    ui::Platform platform{registry, settings, runner, wine.program};
    ui::MainWindow window(platform, &prompts);
    ASSERT_TRUE(window.startUp());
    window.progressWindow().setShowDelay(0);

    {
        Watch watch(window);
        Trigger(window, "fileCap2");
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Corvane - [Traffic.BGL][*]"));
        EXPECT_FALSE(window.isWindowModified());
        EXPECT_GT(watch.ticks, 0) << "the GUI thread's timers fired while wine ran the decompiler";
        EXPECT_TRUE(watch.captions.contains(QStringLiteral("Decompiling Traffic.bgl...")))
            << watch.captions.join(QStringLiteral(", ")).toStdString();
    }
    EXPECT_GT(window.session().db.flightTable().count(), 100);

    {
        Watch watch(window);
        // The demo traffic has flights the traffic check finds fault with; the user compiles anyway.
        prompts.expect("Traffic check", Answer::No);
        Trigger(window, "fileCap7");
        EXPECT_GT(watch.ticks, 0) << "the GUI thread's timers fired while wine ran the compiler";
        EXPECT_TRUE(watch.captions.contains(QStringLiteral("Compiling Traffic.bgl...")))
            << watch.captions.join(QStringLiteral(", ")).toStdString();
    }
    // A new traffic file (its backup and its flights coming back are the round trip test's).
    EXPECT_NE(wine.dir.read(wine.trafficBgl.substr(wine.dir.path().size())), wine.original);

    window.session().db.flightTable().clear(); // no save prompt at the end
    window.close();
    test::TempDir::writeFile(wine.trafficBgl, wine.original);
}
