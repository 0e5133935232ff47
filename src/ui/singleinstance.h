#pragma once
// Only one Corvane runs at a time: both would share the program folder's scratch files. A project
// opened from the file manager while Corvane runs is handed to the running one, which opens it.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QLockFile;
class QLocalServer;

namespace corvane {
class Prompts;
}

namespace corvane::ui {

// The lock file in the user's runtime folder.
QString SingleInstanceLockPath();

enum class InstanceStart {
    First,     // this one runs
    HandedOff, // another runs and took the project named
    Refused,   // another runs; this one said so
};

// Takes the lock. When another instance holds it, hands it project (when one is named and it
// listens), or else says that Corvane is already running.
InstanceStart AcquireSingleInstance(QLockFile& lock, Prompts& prompts, const std::string& project = {});

// The running instance's side: receives the projects that later starts were given and hands each
// to open once no dialog of this program is open. The name is the user's own (beside the lock).
class ProjectHandoff final : public QObject {
    Q_OBJECT
public:
    ProjectHandoff(QString name, std::function<void(const std::string&)> open, QObject* parent = nullptr);
    ~ProjectHandoff() override;
    // False (with nothing listening) when the name cannot be used; starts then work as before.
    bool listen();

private:
    void take();
    void openWhenFree();

    QString m_name;
    std::function<void(const std::string&)> m_open;
    QLocalServer* m_server;
    std::optional<std::string> m_waiting;
};

// The name the running instance listens on, beside the lock file.
QString ProjectHandoffName(const QString& lockPath);

// A later start's side: hands path to the instance listening on name. True when it took it (then
// this start has nothing more to do); false when none answered within a few seconds.
bool HandOffProject(const QString& name, const std::string& path);

} // namespace corvane::ui
