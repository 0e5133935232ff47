#pragma once
// Only one Corvane runs at a time: both would share the program folder's scratch files. A project
// opened from the file manager while Corvane runs is handed to the running one, which opens it.

#include <QObject>
#include <QString>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLockFile;
class QLocalServer;

namespace corvane {
class Prompts;
}

namespace corvane::ui {

// The lock file, in a folder only this user can use (UserInstanceFolder). Empty when there is no such
// folder: the lock then cannot be taken and the start is refused with the reason.
QString SingleInstanceLockPath();

enum class InstanceStart {
    First,     // this one runs
    HandedOff, // another runs and took the project named
    Refused,   // another runs; this one said so
};

// Takes the lock. When another instance holds it, hands it project (when one is named and it
// listens), or else says that Corvane is already running. A lock that cannot be made at all refuses
// the start too, saying so.
InstanceStart AcquireSingleInstance(QLockFile& lock, Prompts& prompts, const std::string& project = {});

// The running instance's side: receives the projects that later starts were given and hands each
// to open once no dialog of this program is open. The name is the user's own (beside the lock).
// A connection that has not sent its project within the wait limit is dropped, and of more than a
// few open at once the oldest goes, so idle connections cannot use up the open files.
class ProjectHandoff final : public QObject {
    Q_OBJECT
public:
    ProjectHandoff(QString name, std::function<void(const std::string&)> open, QObject* parent = nullptr);
    ~ProjectHandoff() override;
    // False (with nothing listening) when the name cannot be used; starts then work as before.
    bool listen();
    void setWaitLimit(std::chrono::milliseconds limit) { m_waitLimit = limit; }

private:
    struct Connection;
    void take();
    void receive(Connection& connection);
    void finishOrDrop(Connection& connection);
    void drop(Connection& connection);
    void openWhenFree();

    QString m_name;
    std::function<void(const std::string&)> m_open;
    QLocalServer* m_server;
    std::chrono::milliseconds m_waitLimit{5000};
    std::deque<std::shared_ptr<Connection>> m_connections; // oldest first
    std::optional<std::string> m_waiting;
};

// The name the running instance listens on, beside the lock file.
QString ProjectHandoffName(const QString& lockPath);

// A later start's side: hands path to the instance listening on name. True when it took it (then
// this start has nothing more to do); false when none answered within a few seconds, or when the
// socket of that name belongs to another user (never handed the path).
bool HandOffProject(const QString& name, const std::string& path);

} // namespace corvane::ui
