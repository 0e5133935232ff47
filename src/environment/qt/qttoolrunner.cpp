#include "environment/qt/qttoolrunner.h"

#include "environment/toolwatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <unistd.h>
#include <vector>

namespace corvane {

namespace {

QString FromLocal(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

std::string ToLocal(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

// QProcess takes its paths as QString, which cannot hold a host name that is not UTF-8 (possible on
// Linux). Such a path is reached through a link of a plain name in a private temporary folder, which
// goes when the run is over; the program still sees its real folder.
class PathAliases {
public:
    PathAliases() = default;
    PathAliases(const PathAliases&) = delete;
    PathAliases& operator=(const PathAliases&) = delete;
    ~PathAliases() {
        for (const std::string& link : m_links) ::unlink(link.c_str());
        if (!m_folder.empty()) ::rmdir(m_folder.c_str());
    }

    // path as QProcess can take it, or nullopt when no link could be made.
    std::optional<QString> of(const std::string& path) {
        const QString text = FromLocal(path);
        if (ToLocal(text) == path) return text;
        if (m_folder.empty()) {
            std::string folder = ToLocal(QDir::tempPath()) + "/corvane-XXXXXX";
            if (!::mkdtemp(folder.data())) return std::nullopt;
            m_folder = folder;
        }
        const std::string link = m_folder + "/" + std::to_string(m_links.size());
        if (::symlink(path.c_str(), link.c_str()) != 0) return std::nullopt;
        m_links.push_back(link);
        return FromLocal(link);
    }

private:
    std::string m_folder;
    std::vector<std::string> m_links;
};

} // namespace

ToolResult QtToolRunner::run(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& workingFolder, const ToolRunOptions& options) {
    ToolResult result;
    if (!QCoreApplication::instance()) {
        result.error = "Could not start '" + program + "': the program has no event loop to wait in";
        return result;
    }
    PathAliases aliases;
    const std::vector<std::string> parts = ToolCommand(program, arguments, m_wineProgram);
    // The programs' paths come first (wine's, then the Windows program's); then the arguments.
    const std::size_t paths = parts.size() - arguments.size();
    QStringList command;
    for (const std::string& part : parts) {
        const auto text = static_cast<std::size_t>(command.size()) < paths
                              ? aliases.of(part)
                              : std::optional<QString>(FromLocal(part));
        if (!text) {
            result.error = "Could not start '" + program + "': " + std::strerror(errno);
            return result;
        }
        command << *text;
    }
    const auto folderText = aliases.of(workingFolder);
    if (!folderText) {
        result.error = "Could not start '" + program + "': " + std::strerror(errno);
        return result;
    }
    const QString executable = command.takeFirst();

    QProcess process;
    process.setProgram(executable);
    process.setArguments(command);
    process.setWorkingDirectory(*folderText);
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!options.environment.empty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : options.environment)
            environment.insert(FromLocal(name), FromLocal(value));
        process.setProcessEnvironment(environment);
    }

    ToolWatch watch(options);
    QEventLoop loop;
    bool started = false;
    QObject::connect(&process, &QProcess::started, &loop, [&started] { started = true; });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) loop.quit();
    });
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&process, &result] {
        AppendToolOutput(result.output, process.readAllStandardOutput().toStdString());
    });
    QTimer ticker;
    ticker.setInterval(kToolTickInterval);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&watch, &process] {
        switch (watch.tick()) {
        case ToolWatch::Step::AskToEnd:
            process.terminate();
            break;
        case ToolWatch::Step::Kill:
            process.kill();
            break;
        case ToolWatch::Step::Wait:
            break;
        }
    });

    process.start(QIODevice::ReadOnly);
    if (process.state() != QProcess::NotRunning) {
        ticker.start();
        // The windows keep painting. With a progress, its window decides where the user's input may go
        // (its Cancel button); without one, the input waits until the tool has ended.
        loop.exec(options.progress ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        ticker.stop();
    }
    if (!started || process.error() == QProcess::FailedToStart) {
        result.output.clear();
        result.error = "Could not start '" + ToLocal(executable) + "': " + ToLocal(process.errorString());
        return result;
    }
    result.started = true;
    AppendToolOutput(result.output, process.readAllStandardOutput().toStdString());
    if (watch.stop() != ToolStop::None) {
        result.stop = watch.stop();
        result.error = ToolStopText(program, watch.stop(), watch.timeLimit());
    } else if (process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    } else {
        result.error = "'" + program + "' ended abnormally: " + ToLocal(process.errorString());
    }
    return result;
}

} // namespace corvane
