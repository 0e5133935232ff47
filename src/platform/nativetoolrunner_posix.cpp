#include "platform/nativetoolrunner.h"
#include "platform/toolwatch.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace corvane {

namespace {

void CloseBoth(int ends[2]) {
    ::close(ends[0]);
    ::close(ends[1]);
}

// The caller's environment with the run's own variables set over it, as "NAME=value" texts.
std::vector<std::string> ChildEnvironment(const ToolRunOptions& options) {
    std::vector<std::string> result;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view text = *entry;
        const std::string_view name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& [own, value] : options.environment) replaced = replaced || own == name;
        if (!replaced) result.emplace_back(text);
    }
    for (const auto& [name, value] : options.environment) result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Reads what the pipe holds now; false once it has reached its end or failed.
bool ReadAvailable(int fd, std::string& output) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return false;
        if (n < 0) return errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK;
        AppendToolOutput(output, std::string_view(buffer, static_cast<std::size_t>(n)));
    }
}

} // namespace

ToolResult NativeToolRunner::run(const std::string& program, const std::vector<std::string>& arguments,
                                 const std::string& workingFolder, const ToolRunOptions& options) {
    std::vector<std::string> command = ToolCommand(program, arguments, m_wineProgram);
    std::vector<char*> argv = Pointers(command);
    std::vector<std::string> environment = ChildEnvironment(options);
    std::vector<char*> envp = Pointers(environment);

    ToolResult result;
    // output: the child's standard output and error; failure: why it could not be started (an errno
    // written by the child, or nothing once exec has closed it).
    int output[2], failure[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        result.error = "Could not start '" + command.front() + "': " + std::strerror(errno);
        return result;
    }
    if (::pipe2(failure, O_CLOEXEC) != 0) {
        result.error = "Could not start '" + command.front() + "': " + std::strerror(errno);
        CloseBoth(output);
        return result;
    }
    ToolWatch watch(options);
    const pid_t child = ::fork();
    if (child < 0) {
        result.error = "Could not start '" + command.front() + "': " + std::strerror(errno);
        CloseBoth(output);
        CloseBoth(failure);
        return result;
    }
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::dup2(output[1], STDERR_FILENO);
        const int devNull = ::open("/dev/null", O_RDONLY);
        if (devNull >= 0) ::dup2(devNull, STDIN_FILENO);
        ::signal(SIGPIPE, SIG_DFL);
        int code = 0;
        if (::chdir(workingFolder.c_str()) != 0) {
            code = errno;
        } else {
            ::execvpe(argv[0], argv.data(), envp.data());
            code = errno;
        }
        [[maybe_unused]] const auto written = ::write(failure[1], &code, sizeof code);
        ::_exit(127);
    }
    ::close(output[1]);
    ::close(failure[1]);

    int code = 0;
    ssize_t got;
    do {
        got = ::read(failure[0], &code, sizeof code);
    } while (got < 0 && errno == EINTR);
    ::close(failure[0]);

    // Waits for the child, not for the end of its output: a program it started may hold the pipe open
    // after it has gone. The child's end wakes the wait at once where the system can tell it.
    ::fcntl(output[0], F_SETFL, ::fcntl(output[0], F_GETFL) | O_NONBLOCK);
    const int ending = static_cast<int>(::syscall(SYS_pidfd_open, child, 0));
    bool open = true;
    int status = 0;
    for (;;) {
        pollfd events[2] = {{ending, POLLIN, 0}, {output[0], POLLIN, 0}};
        ::poll(events, open ? 2 : 1, static_cast<int>(kToolTickInterval.count()));
        if (open) open = ReadAvailable(output[0], result.output);
        pid_t ended;
        do {
            ended = ::waitpid(child, &status, WNOHANG);
        } while (ended < 0 && errno == EINTR);
        if (ended == child) {
            if (open) ReadAvailable(output[0], result.output);
            break;
        }
        switch (watch.tick()) {
        case ToolWatch::Step::AskToEnd:
            ::kill(child, SIGTERM);
            break;
        case ToolWatch::Step::Kill:
            ::kill(child, SIGKILL);
            break;
        case ToolWatch::Step::Wait:
            break;
        }
    }
    ::close(output[0]);
    if (ending >= 0) ::close(ending);

    if (got == static_cast<ssize_t>(sizeof code)) {
        const bool folder = ::access(workingFolder.c_str(), F_OK) != 0 || code == ENOTDIR;
        result.error = folder ? "Could not start '" + command.front() + "' in the folder '" + workingFolder +
                                    "': " + std::strerror(code)
                              : "Could not start '" + command.front() + "': " + std::strerror(code);
        result.output.clear();
        return result;
    }
    result.started = true;
    if (watch.stop() != ToolStop::None) {
        result.stop = watch.stop();
        result.error = ToolStopText(program, watch.stop(), watch.timeLimit());
    } else if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.error = "'" + program + "' was ended by signal " + std::to_string(WTERMSIG(status)) + " (" +
                       ::strsignal(WTERMSIG(status)) + ")";
    }
    return result;
}

} // namespace corvane
