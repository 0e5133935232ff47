#include "environment/nativetoolrunner.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane {

namespace {

void CloseBoth(int ends[2]) {
    ::close(ends[0]);
    ::close(ends[1]);
}

} // namespace

ToolResult NativeToolRunner::run(const std::string& program, const std::vector<std::string>& arguments,
                                 const std::string& workingFolder) {
    std::vector<std::string> command = ToolCommand(program, arguments, m_wineProgram);
    std::vector<char*> argv;
    for (std::string& part : command) argv.push_back(part.data());
    argv.push_back(nullptr);

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
            ::execvp(argv[0], argv.data());
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

    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(output[0], buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        const std::size_t room = kToolOutputLimit - std::min(kToolOutputLimit, result.output.size());
        result.output.append(buffer, std::min(room, static_cast<std::size_t>(n)));
    }
    ::close(output[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }

    if (got == static_cast<ssize_t>(sizeof code)) {
        const bool folder = ::access(workingFolder.c_str(), F_OK) != 0 || code == ENOTDIR;
        result.error = folder ? "Could not start '" + command.front() + "' in the folder '" + workingFolder +
                                    "': " + std::strerror(code)
                              : "Could not start '" + command.front() + "': " + std::strerror(code);
        result.output.clear();
        return result;
    }
    result.started = true;
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.error = "'" + program + "' was ended by signal " + std::to_string(WTERMSIG(status)) + " (" +
                       ::strsignal(WTERMSIG(status)) + ")";
    }
    return result;
}

} // namespace corvane
