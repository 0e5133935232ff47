#include "platform/qt/instancefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

// True when path itself (a link is not followed) is of kind (S_IFDIR, S_IFSOCK) and belongs to this
// user, and a folder is closed to everybody else.
bool OwnedByUser(const QString& path, mode_t kind) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
    if ((info.st_mode & S_IFMT) != kind || info.st_uid != ::geteuid()) return false;
    return kind != S_IFDIR || (info.st_mode & 0777) == 0700; // set-group-ID may come from home
}

} // namespace

QString PrivateInstanceFolder(const QString& runtimeFolder, const QString& homeFolder) {
    if (QDir::isAbsolutePath(runtimeFolder) && OwnedByUser(runtimeFolder, S_IFDIR))
        return QDir::cleanPath(runtimeFolder);
    if (!QDir::isAbsolutePath(homeFolder)) return {};
    const QString folder = HomeInstanceFolder(homeFolder);
    // Made closed from the start, so nobody else has a moment to get in; the umask may only have taken
    // the owner's own bits. One that is there already must pass as it is.
    ::mkdir(QFile::encodeName(QFileInfo(folder).path()).constData(), 0700);
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) == 0) ::chmod(name.constData(), 0700);
    return OwnedByUser(folder, S_IFDIR) ? folder : QString();
}

QString HomeInstanceFolder(const QString& homeFolder) {
    return QDir::cleanPath(homeFolder + QStringLiteral("/.cache/corvane-runtime"));
}

QString UserInstanceFolder() {
    return PrivateInstanceFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::homePath());
}

QString UserInstanceFolderToMake() {
    return HomeInstanceFolder(QDir::homePath());
}

QString HandoffName(const QString& lockPath) {
    return lockPath + QStringLiteral(".socket");
}

bool HandoffIsUsers(const QString& name) {
    return OwnedByUser(name, S_IFSOCK);
}

} // namespace corvane
