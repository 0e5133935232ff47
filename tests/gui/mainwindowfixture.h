#pragma once
// One real main window on the offscreen platform, in a program folder of its own, with scripted prompts
// and tools, an in-memory registry and settings, and a simulator folder holding a few aircraft.

#include "faketoolrunner.h"
#include "memoryregistry.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace corvane::test {

// The title as the window shows it: Qt puts "*" for the "[*]" mark while the window is modified.
inline QString ShownTitle(const QWidget& window) {
    QString title = window.windowTitle();
    return title.replace(QStringLiteral("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString());
}

inline const char* kSmallAptDat =
    "BGO,N60* 17.60',E5* 13.09',170,Bergen,Norway\r\n"
    "EKCH,N55* 37.07',E12* 39.36',17,Copenhagen Kastrup Airport,Denmark\r\n"
    "ENBR,N60* 17.60',E5* 13.09',170,Bergen Airport - Flesland,Norway\r\n"
    "ENGM,N60* 11.63',E11* 6.02',681,Oslo-Gardermoen International Airport,Norway\r\n"
    "ESSA,N59* 38.91',E17* 55.73',137,Stockholm-Arlanda Airport,Sweden\r\n"
    "KSEA,N47* 26.88',W122* 18.62',433,Seattle-Tacoma International Airport,United States\r\n";

struct MainWindowFixture {
    TempDir dir;
    ScriptedPrompts prompts;
    MemoryRegistry registry;
    MemorySettings settings;
    FakeToolRunner tools;
    std::unique_ptr<ui::Platform> platform;
    std::unique_ptr<ui::MainWindow> window;

    // The program folder with its tools and apt.dat, and a simulator folder with two aircraft. Each
    // fixture starts with nothing remembered from an earlier window.
    MainWindowFixture() {
        QSettings(QStringLiteral("Corvane"), QStringLiteral("Corvane")).clear();
        dir.write("program/TCompiler.exe", "tool");
        dir.write("program/TDecompiler.exe", "tool");
        dir.write("program/apt.dat", kSmallAptDat);
        dir.write("FS2002/fs2002.exe", "MZ");
        dir.write("FS2002/Aircraft/b737/aircraft.cfg",
                  "[fltsim.0]\r\ntitle=Boeing 737-400\r\n[Reference Speeds]\r\ncruise_speed=430\r\n");
        dir.write("FS2002/Aircraft/dash8/aircraft.cfg",
                  "[fltsim.0]\r\ntitle=Dash 8-100\r\n[Reference Speeds]\r\ncruise_speed=270\r\n");
        settings.setValue("FS2002 Path", dir.file("FS2002/"));
    }
    ~MainWindowFixture() {
        if (window) {
            window->session().db.flightTable().clear(); // no save prompt at the end of a test
            window->close();
        }
    }

    // runner: the traffic tools' runner; the scripted one when null.
    ui::MainWindow& start(bool expectSuccess = true, ToolRunner* runner = nullptr) {
        platform = std::make_unique<ui::Platform>(
            ui::Platform{registry, settings, runner ? *runner : tools, dir.file("program/")});
        window = std::make_unique<ui::MainWindow>(*platform, &prompts);
        const bool started = window->startUp();
        EXPECT_EQ(started, expectSuccess);
        return *window;
    }

    template <typename W = QWidget> W* find(const char* name) const {
        W* widget = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << "no widget " << name;
        return widget;
    }

    // A list's cell, and its number of rows.
    QString cell(const char* list, int row, int column = 0) const {
        return find<QTreeView>(list)->model()->index(row, column).data().toString();
    }
    int rows(const char* list) const { return find<QTreeView>(list)->model()->rowCount(); }

    // Lists an airport on the FlightPlans page by typing its code into the airport box.
    void listAirport(const char* code) const {
        QLineEdit* text = find<QComboBox>("aptCom")->lineEdit();
        text->clear();
        QTest::keyClicks(text, QString::fromLatin1(code));
    }

    // Chooses an item of a combo box as the user does.
    void choose(const char* combo, int index) const {
        auto* box = find<QComboBox>(combo);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // Triggers a menu action by its name; fails clearly when it is missing or disabled.
    void trigger(const char* name) {
        auto* action = window->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << "no action " << name;
        ASSERT_TRUE(action->isEnabled()) << "action " << name << " is disabled";
        action->trigger();
    }

    // Runs body against the next modal dialog as soon as it is shown.
    static void whenModal(std::function<void(QWidget*)> body) {
        QTimer::singleShot(0, qApp, [body] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr) << "no modal dialog shown";
            body(modal);
        });
    }
};

} // namespace corvane::test
