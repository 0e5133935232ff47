#include "ui/singleinstance.h"

#include "editors/startup.h"
#include "platform/qt/instancefolder.h"
#include "traffic/prompts.h"
#include "ui/textcodec.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QTimer>

namespace corvane::ui {

namespace {

// What a start sends: this line, then the project's path as bytes, then the end of the connection.
// The running instance answers kTaken once it holds the whole path.
constexpr char kHello[] = "corvane-open-project\n";
constexpr char kTaken[] = "taken\n";
constexpr int kWaitMilliseconds = 3000;
constexpr qsizetype kLongestMessage = 64 * 1024;
constexpr std::size_t kMostConnections = 16;
constexpr char kNoLockTitle[] = "Corvane";

} // namespace

QString SingleInstanceLockPath() {
    const QString folder = UserInstanceFolder();
    if (folder.isEmpty()) return {};
    return folder + QStringLiteral("/corvane.lock");
}

InstanceStart AcquireSingleInstance(QLockFile& lock, Prompts& prompts, const std::string& project) {
    lock.setStaleLockTime(0); // a lock left by a crashed instance is taken over
    if (!lock.fileName().isEmpty() && lock.tryLock(0)) return InstanceStart::First;
    // A lock in our own process number was left by an instance that ended without letting go of it
    // (killed, or its machine stopped), whose number this start happens to have: a lock nobody holds
    // open can be removed, and is taken over. (Wine gives the same numbers again after a restart.)
    qint64 holder = 0;
    if (lock.error() == QLockFile::LockFailedError && lock.getLockInfo(&holder, nullptr, nullptr) &&
        holder == QCoreApplication::applicationPid() && lock.removeStaleLockFile() && lock.tryLock(0))
        return InstanceStart::First;
    if (lock.fileName().isEmpty() || lock.error() != QLockFile::LockFailedError) {
        // Nobody holds it: it cannot be made. Running anyway could let two share the scratch files.
        const QString folder = lock.fileName().isEmpty() ? UserInstanceFolderToMake()
                                                         : QFileInfo(lock.fileName()).absolutePath();
        prompts.message(
            kNoLockTitle,
            "Corvane cannot make sure that it runs only once: its lock file cannot be made in ''" +
                PathFromDisplay(folder) +
                "''.\r\nThat folder must be yours alone, closed to everybody else (mode 0700).",
            Icon::Exclamation);
        return InstanceStart::Refused;
    }
    if (!project.empty() && HandOffProject(ProjectHandoffName(lock.fileName()), project))
        return InstanceStart::HandedOff;
    prompts.message(kAlreadyRunningTitle, kAlreadyRunningText, Icon::Exclamation);
    return InstanceStart::Refused;
}

QString ProjectHandoffName(const QString& lockPath) {
    return HandoffName(lockPath);
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

// One connection: what it has sent so far; done once it is answered or dropped.
struct ProjectHandoff::Connection {
    QPointer<QLocalSocket> socket;
    QByteArray received;
    bool done = false;
};

void ProjectHandoff::take() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        std::erase_if(m_connections, [](const auto& open) { return open->done || !open->socket; });
        // Every connection holds an open file, and once none is left the server stops listening for
        // good: of more than a few at once the oldest goes.
        while (m_connections.size() >= kMostConnections) {
            const std::shared_ptr<Connection> oldest = m_connections.front();
            m_connections.pop_front();
            finishOrDrop(*oldest);
        }
        auto connection = std::make_shared<Connection>();
        connection->socket = socket;
        m_connections.push_back(connection);
        connect(socket, &QLocalSocket::readyRead, this, [this, connection] { receive(*connection); });
        // A start sends its project at once; what has not within the limit is not one.
        QTimer::singleShot(m_waitLimit, socket, [this, connection] { finishOrDrop(*connection); });
    }
}

void ProjectHandoff::receive(Connection& connection) {
    QLocalSocket* socket = connection.socket;
    if (!socket || connection.done) return;
    QByteArray& received = connection.received;
    received.append(socket->readAll());
    const QByteArray hello(kHello);
    if (received.size() > kLongestMessage ||
        (received.size() >= hello.size() && !received.startsWith(hello)) ||
        (received.size() < hello.size() && !hello.startsWith(received))) {
        drop(connection); // not one of ours
        return;
    }
    const qsizetype end = received.indexOf('\0', hello.size());
    if (end < 0) return; // more to come
    const std::string path = received.mid(hello.size(), end - hello.size()).toStdString();
    if (path.empty()) {
        drop(connection);
        return;
    }
    connection.done = true;
    socket->write(kTaken);
    socket->flush();
    socket->disconnectFromServer();
    const bool scheduled = m_waiting.has_value();
    m_waiting = path; // of several handed in at once, the last one
    if (!scheduled) openWhenFree();
}

void ProjectHandoff::finishOrDrop(Connection& connection) {
    receive(connection); // what has arrived unread still counts
    drop(connection);
}

void ProjectHandoff::drop(Connection& connection) {
    if (connection.done || !connection.socket) return;
    connection.done = true;
    connection.socket->abort();
    connection.socket->deleteLater();
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
    if (!HandoffIsUsers(name)) return false;
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
