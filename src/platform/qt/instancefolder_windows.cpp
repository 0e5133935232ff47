#include "platform/qt/instancefolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace corvane {

QString UserInstanceFolderToMake() {
    // %LOCALAPPDATA%: the user's own, never roamed to another machine; the uninstaller removes it.
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Corvane/Runtime"));
}

QString UserInstanceFolder() {
    const QString folder = UserInstanceFolderToMake();
    return QDir().mkpath(folder) ? folder : QString();
}

QString HandoffName(const QString& lockPath) {
    const QByteArray hash = QCryptographicHash::hash(lockPath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("corvane-") + QString::fromLatin1(hash.left(16));
}

bool HandoffIsUsers(const QString&) {
    return true;
}

} // namespace corvane
