#include "ui/windowsettings.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTreeView>

namespace corvane::ui {

namespace {

QSettings Settings() {
    return QSettings(QStringLiteral("Corvane"), QStringLiteral("Corvane"));
}

} // namespace

void SaveWindowSettings(const QMainWindow& window, const QTabBar& pages) {
    QSettings settings = Settings();
    settings.beginGroup(QStringLiteral("Window"));
    settings.setValue(QStringLiteral("geometry"), window.saveGeometry());
    settings.setValue(QStringLiteral("state"), window.saveState());
    settings.setValue(QStringLiteral("page"), pages.currentIndex());
    for (const QTreeView* list : window.findChildren<QTreeView*>())
        if (!list->objectName().isEmpty())
            settings.setValue(QStringLiteral("columns/") + list->objectName(), list->header()->saveState());
    settings.endGroup();
}

void RestoreWindowSettings(QMainWindow& window, QTabBar& pages) {
    QSettings settings = Settings();
    settings.beginGroup(QStringLiteral("Window"));
    window.restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray());
    window.restoreState(settings.value(QStringLiteral("state")).toByteArray());
    for (QTreeView* list : window.findChildren<QTreeView*>()) {
        const QVariant columns = settings.value(QStringLiteral("columns/") + list->objectName());
        if (columns.isValid()) list->header()->restoreState(columns.toByteArray());
    }
    const int page = settings.value(QStringLiteral("page"), 0).toInt();
    settings.endGroup();
    if (page > 0 && page < pages.count()) pages.setCurrentIndex(page);
    FitToScreen(window);
}

void FitToScreen(QMainWindow& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    // The frame (title bar, borders) takes room too.
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const QSize room = available.size() - frame;
    QRect wanted = window.geometry();
    wanted.setSize(wanted.size().boundedTo(room).expandedTo(window.minimumSizeHint().boundedTo(room)));
    if (!available.contains(wanted)) wanted.moveTopLeft(available.topLeft() + QPoint(frame.width() / 2, frame.height()));
    window.setGeometry(wanted);
}

} // namespace corvane::ui
