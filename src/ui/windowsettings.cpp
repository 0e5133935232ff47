#include "ui/windowsettings.h"

#include <QDir>
#include <QFileInfo>
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

QString DialogKey(const QString& title) {
    QString key = title;
    key.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QStringLiteral("Dialogs/") + key;
}

} // namespace

QString DialogStartPath(const QString& title, const QString& initialName) {
    if (!initialName.isEmpty() && !QFileInfo(initialName).isRelative()) return initialName;
    const QString folder = Settings().value(DialogKey(title)).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return initialName;
    return initialName.isEmpty() ? folder : QDir(folder).filePath(initialName);
}

void RememberDialogFolder(const QString& title, const QString& chosenPath) {
    Settings().setValue(DialogKey(title), QFileInfo(chosenPath).absolutePath());
}

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
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QSize room = available.marginsRemoved(frame).size();
    QRect wanted = inner;
    wanted.setSize(wanted.size().boundedTo(room).expandedTo(window.minimumSizeHint().boundedTo(room)));
    if (!available.contains(wanted.marginsAdded(frame)))
        wanted.moveTopLeft(available.topLeft() + QPoint(frame.left(), frame.top()));
    window.setGeometry(wanted);
}

} // namespace corvane::ui
