#include "platform/qt/qttoolrunner.h"

#include "platform/toolwatch.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <optional>
#include <system_error>

namespace corvane {

namespace {

// Host paths are UTF-8 in the core (on Linux their bytes, which need not be valid UTF-8).
QString FromHost(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToHost(const QString& text) {
    return text.toUtf8().toStdString();
}

// QProcess takes its paths as QString, which cannot hold a host name that is not UTF-8 (possible on
// Linux). Such a path is reached through a symbolic link of a plain name in a private temporary
// folder, which goes when the run is over; the program still sees its real folder. On Windows every
// path is UTF-16 and needs none.
class PathAliases {
public:
    // path as QProcess can take it, or nullopt with error set when no link could be made.
    std::optional<QString> of(const std::string& path, std::string* error) {
        QString text = FromHost(path);
        if (ToHost(text) == path) return text;
        if (!m_folder) m_folder.emplace();
        if (!m_folder->isValid()) {
            *error = ToHost(m_folder->errorString());
            return std::nullopt;
        }
        const QString link = m_folder->filePath(QString::number(m_links++));
        std::error_code failure;
        std::filesystem::create_symlink(std::filesystem::path(path), std::filesystem::path(ToHost(link)),
                                        failure);
        if (failure) {
            *error = failure.message();
            return std::nullopt;
        }
        return link;
    }

private:
    std::optional<QTemporaryDir> m_folder; // removed with the links in it, which are not followed
    int m_links = 0;
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
    std::string aliasError;
    for (const std::string& part : parts) {
        const auto text = static_cast<std::size_t>(command.size()) < paths
                              ? aliases.of(part, &aliasError)
                              : std::optional<QString>(FromHost(part));
        if (!text) {
            result.error = "Could not start '" + program + "': " + aliasError;
            return result;
        }
        command << *text;
    }
    const auto folderText = aliases.of(workingFolder, &aliasError);
    if (!folderText) {
        result.error = "Could not start '" + program + "': " + aliasError;
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
            environment.insert(FromHost(name), FromHost(value));
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
#ifdef _WIN32
            // Qt asks a Windows program to end with WM_CLOSE, which a console tool never sees: it
            // would run on for the whole grace time. It is ended at once, as the native runner's
            // Ctrl+Break ends it.
            process.kill();
#else
            process.terminate();
#endif
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
        result.error = "Could not start '" + ToHost(executable) + "': " + ToHost(process.errorString());
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
        result.error = "'" + program + "' ended abnormally: " + ToHost(process.errorString());
    }
    return result;
}

} // namespace corvane
