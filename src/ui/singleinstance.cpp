#include "ui/singleinstance.h"

#include "editors/startup.h"
#include "traffic/prompts.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace corvane::ui {

QString SingleInstanceLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder + QStringLiteral("/corvane.lock");
}

bool AcquireSingleInstance(QLockFile& lock, Prompts& prompts) {
    lock.setStaleLockTime(0); // a lock left by a crashed instance is taken over
    if (lock.tryLock(0)) return true;
    prompts.message(kAlreadyRunningTitle, kAlreadyRunningText, Icon::Exclamation);
    return false;
}

} // namespace corvane::ui
