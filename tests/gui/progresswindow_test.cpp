#include "ui/progresswindow.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
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
