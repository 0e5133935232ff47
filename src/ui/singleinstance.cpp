#include "ui/singleinstance.h"

#include "editors/startup.h"
#include "traffic/prompts.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

namespace corvane::ui {

namespace {

// What a start sends: this line, then the project's path as bytes, then the end of the connection.
// The running instance answers kTaken once it holds the whole path.
constexpr char kHello[] = "corvane-open-project\n";
constexpr char kTaken[] = "taken\n";
constexpr int kWaitMilliseconds = 3000;
constexpr qsizetype kLongestMessage = 64 * 1024;

} // namespace

QString SingleInstanceLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder + QStringLiteral("/corvane.lock");
}

InstanceStart AcquireSingleInstance(QLockFile& lock, Prompts& prompts, const std::string& project) {
    lock.setStaleLockTime(0); // a lock left by a crashed instance is taken over
    if (lock.tryLock(0)) return InstanceStart::First;
    if (!project.empty() && HandOffProject(ProjectHandoffName(lock.fileName()), project))
        return InstanceStart::HandedOff;
    prompts.message(kAlreadyRunningTitle, kAlreadyRunningText, Icon::Exclamation);
    return InstanceStart::Refused;
}

QString ProjectHandoffName(const QString& lockPath) {
#ifdef Q_OS_WIN
    // A pipe name, not a path: the lock's path stands for the user.
    const QByteArray hash = QCryptographicHash::hash(lockPath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("corvane-") + QString::fromLatin1(hash.left(16));
#else
    return lockPath + QStringLiteral(".socket");
#endif
}

ProjectHandoff::ProjectHandoff(QString name, std::function<void(const std::string&)> open, QObject* parent)
    : QObject(parent)
    , m_name(std::move(name))
    , m_open(std::move(open))
    , m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &ProjectHandoff::take);
}

ProjectHandoff::~ProjectHandoff() = default;

bool ProjectHandoff::listen() {
    // This instance holds the lock, so a socket of that name is one left by a crash.
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void ProjectHandoff::take() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto received = std::make_shared<QByteArray>();
        QPointer<QLocalSocket> guarded(socket);
        connect(socket, &QLocalSocket::readyRead, this, [this, guarded, received] {
            if (!guarded) return;
            received->append(guarded->readAll());
            const QByteArray hello(kHello);
            if (received->size() > kLongestMessage ||
                (received->size() >= hello.size() && !received->startsWith(hello)) ||
                (received->size() < hello.size() && !hello.startsWith(*received))) {
                guarded->abort(); // not one of ours
                return;
            }
            const qsizetype end = received->indexOf('\0', hello.size());
            if (end < 0) return; // more to come
            const std::string path = received->mid(hello.size(), end - hello.size()).toStdString();
            if (path.empty()) {
                guarded->abort();
                return;
            }
            guarded->write(kTaken);
            guarded->flush();
            guarded->disconnectFromServer();
            const bool scheduled = m_waiting.has_value();
            m_waiting = path; // of several handed in at once, the last one
            if (!scheduled) openWhenFree();
        });
    }
}

void ProjectHandoff::openWhenFree() {
    // A dialog (or a traffic tool's progress window) is open: the project waits until it has closed.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(200, this, &ProjectHandoff::openWhenFree);
        return;
    }
    if (!m_waiting) return;
    const std::string path = std::move(*m_waiting);
    m_waiting.reset();
    m_open(path);
}

bool HandOffProject(const QString& name, const std::string& path) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kWaitMilliseconds)) return false;
    QByteArray message(kHello);
    message.append(path.data(), static_cast<qsizetype>(path.size()));
    message.append('\0');
    socket.write(message);
    if (!socket.waitForBytesWritten(kWaitMilliseconds)) return false;
    QByteArray answer;
    while (answer.size() < qsizetype(sizeof kTaken - 1) && socket.waitForReadyRead(kWaitMilliseconds))
        answer.append(socket.readAll());
    return answer.startsWith(kTaken);
}

} // namespace corvane::ui
