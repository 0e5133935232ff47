#include "runprogram.h"

#include <stdexcept>

#ifdef _WIN32
#include "platform/nativetoolrunner.h"
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace corvane::test {

#ifdef _WIN32

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingFolder, const Environment& environment, unsigned long long) {
    NativeToolRunner runner;
    ToolRunOptions options;
    options.environment = environment;
    const ToolResult result = runner.run(program, arguments, workingFolder, options);
    if (!result.started) throw std::runtime_error(result.error);
    return {result.exitCode, result.output};
}

#else

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingFolder, const Environment& environment,
                      unsigned long long memoryLimit) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        ::dup2(pipeEnds[1], STDERR_FILENO);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        if (::chdir(workingFolder.c_str()) != 0) ::_exit(126);
        for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
        if (memoryLimit > 0) {
            const rlimit limit{memoryLimit, memoryLimit};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    ProgramRun run;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        run.errors.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    return run;
}

#endif

} // namespace corvane::test
