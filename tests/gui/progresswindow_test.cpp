#include "ui/progresswindow.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using corvane::ui::ProgressWindow;

TEST(ProgressWindow, refusesToCloseWhileBusy) {
    QMainWindow owner;
    owner.show();
    ProgressWindow window(&owner);
    window.setShowDelay(0);
    window.begin("Open Corvane Data");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Open Corvane Data"));
    EXPECT_EQ(owner.cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(window.close()) << "the close box does nothing while an operation runs";
    EXPECT_TRUE(window.isVisible());

    window.show(42);
    window.begin("Adding Corvane Airport Data"); // nested
    window.end();
    EXPECT_TRUE(window.isVisible()) << "the outer operation still runs";
    window.end();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("infoLbl"))->text(), QStringLiteral("100 %"));
    EXPECT_EQ(owner.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(window.percentText(), QStringLiteral("100 %"));

    window.begin("Again");
    window.end();
    EXPECT_TRUE(window.close()) << "idle, it closes";
}

TEST(ProgressWindow, quickOperationsDoNotFlashTheWindow) {
    QMainWindow owner;
    ProgressWindow window(&owner);
    window.setShowDelay(60000);
    window.begin("Finding Flights for ENGM");
    window.show(50);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(owner.cursor().shape(), Qt::WaitCursor) << "the busy pointer shows at once";
    window.end();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(owner.cursor().shape(), Qt::ArrowCursor);
}

TEST(ProgressWindow, manyUpdatesCostLittle) {
    QMainWindow owner;
    ProgressWindow window(&owner);
    window.begin("Saving AI Flights Database");
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 200000; ++i) window.show(i / 2000);
    EXPECT_LT(timer.elapsed(), 1000) << "updates are throttled";
    window.end();
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("infoLbl"))->text(), QStringLiteral("100 %"));
}

TEST(ProgressWindow, aWaitShowsItsSecondsAndMayBeCancelled) {
    QMainWindow owner;
    owner.show();
    ProgressWindow window(&owner);
    window.setShowDelay(0);
    auto* info = window.findChild<QLabel*>(QStringLiteral("infoLbl"));
    auto* elapsed = window.findChild<QLabel*>(QStringLiteral("elapsedLbl"));
    auto* note = window.findChild<QLabel*>(QStringLiteral("noteLbl"));
    auto* cancel = window.findChild<QPushButton*>(QStringLiteral("cancelCmd"));

    window.beginWait("Decompiling Traffic.bgl...", "", true);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isBusy());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Decompiling Traffic.bgl..."));
    EXPECT_FALSE(info->isVisible()) << "no percentage for a wait";
    EXPECT_EQ(elapsed->text(), QStringLiteral("0 s"));
    window.showElapsed(75);
    EXPECT_EQ(elapsed->text(), QStringLiteral("1 min 15 s"));
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(cancel->isVisible());
    EXPECT_FALSE(window.close()) << "the close box does nothing";
    EXPECT_FALSE(window.cancelRequested());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.cancelRequested()) << "Escape is Cancel";
    EXPECT_TRUE(window.isVisible()) << "the window stays until the tool has ended";
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("waitLbl"))->text(), QStringLiteral("Cancelling..."));
    window.end();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(owner.cursor().shape(), Qt::ArrowCursor);

    // A wait that may not be cancelled says why, and neither Escape nor anything else cancels it.
    window.beginWait("Compiling Traffic.bgl...", "It cannot be cancelled.", false);
    EXPECT_FALSE(window.cancelRequested()) << "a new wait starts afresh";
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(), QStringLiteral("It cannot be cancelled."));
    EXPECT_FALSE(cancel->isVisible());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.cancelRequested());
    EXPECT_TRUE(window.isVisible());
    window.end();

    // An ordinary operation afterwards shows its percentage again.
    window.begin("Open Corvane Data");
    EXPECT_TRUE(info->isVisible());
    EXPECT_FALSE(elapsed->isVisible());
    EXPECT_FALSE(cancel->isVisible());
    window.end();
}
