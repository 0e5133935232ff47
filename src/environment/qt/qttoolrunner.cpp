#include "environment/qt/qttoolrunner.h"

#include <QProcess>
#include <QStringList>
#include <filesystem>

namespace corvane {

namespace {

QString FromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToLocal(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

} // namespace

ToolResult QtToolRunner::run(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& workingFolder) {
    // A path with folders is taken from the caller's current folder, not from the child's.
    std::error_code ignored;
    const std::string path = program.find('/') == std::string::npos
                                 ? program
                                 : std::filesystem::absolute(program, ignored).string();
    QStringList args;
    QString executable = FromLocal(path);
#ifndef Q_OS_WIN
    if (IsWindowsProgram(path)) {
        args << executable;
        executable = FromLocal(m_wineProgram);
    }
#endif
    for (const auto& argument : arguments) args << FromLocal(argument);

    QProcess process;
    process.setProgram(executable);
    process.setArguments(args);
    process.setWorkingDirectory(FromLocal(workingFolder));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QIODevice::ReadOnly);

    ToolResult result;
    if (!process.waitForStarted(-1)) {
        result.error = "Could not start '" + ToLocal(executable) + "': " + ToLocal(process.errorString());
        return result;
    }
    result.started = true;
    process.closeWriteChannel();
    process.waitForFinished(-1);
    result.output = process.readAll().toStdString();
    if (process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    } else {
        result.error = "'" + program + "' ended abnormally: " + ToLocal(process.errorString());
    }
    return result;
}

} // namespace corvane
