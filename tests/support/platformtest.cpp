#include "platformtest.h"

#include "hostpath.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#ifdef _WIN32
#include "platform/toolrunner.h"
#include "platform/widetext.h"

#include <algorithm>
#include <windows.h>
#else
#include <csignal>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace corvane::test {

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string>& value)
    : m_name(std::move(name)) {
    if (const char* old = std::getenv(m_name.c_str())) {
        m_had = true;
        m_old = old;
    }
    if (value)
        SetEnv(m_name, *value);
    else
        UnsetEnv(m_name);
}

ScopedEnv::~ScopedEnv() {
    if (m_had)
        SetEnv(m_name, m_old);
    else
        UnsetEnv(m_name);
}

#ifdef _WIN32

void SetEnv(const std::string& name, const std::string& value) {
    ::_wputenv_s(WideOf(name).c_str(), WideOf(value).c_str());
}

void UnsetEnv(const std::string& name) {
    ::_wputenv_s(WideOf(name).c_str(), L"");
}

UnreadableFile::UnreadableFile(const std::string& path) {
    std::ofstream(FsPath(path), std::ios::binary) << "held";
    const HANDLE handle =
        ::CreateFileW(WideOf(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold " + path);
    m_handle = handle;
}

UnreadableFile::~UnreadableFile() {
    ::CloseHandle(m_handle);
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> command{program};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::replace(command.front().begin(), command.front().end(), '/', '\\');
    std::wstring line = WideOf(WindowsCommandLine(command));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Under Wine a start now and then fails while the server is still busy with a process that was
    // just killed: the test is about the child, so a start is tried a few times.
    DWORD error = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process)) {
            error = 0;
            break;
        }
        error = ::GetLastError();
        ::Sleep(200);
    }
    if (error != 0)
        throw std::runtime_error("cannot start " + program + " (error " + std::to_string(error) + ")");
    ::CloseHandle(process.hThread);
    m_process = reinterpret_cast<long long>(process.hProcess);
}

ChildProcess::~ChildProcess() {
    if (m_process == -1) return;
    kill();
    wait();
}

void ChildProcess::kill() {
    // The status of a process that the system ended.
    ::TerminateProcess(reinterpret_cast<HANDLE>(m_process), 0xC000013A);
}

ChildProcess::End ChildProcess::wait() {
    const HANDLE process = reinterpret_cast<HANDLE>(m_process);
    ::WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    m_process = -1;
    if (code >= 0x80000000u) return {};
    return {true, static_cast<int>(code)};
}

#else

void SetEnv(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

void UnsetEnv(const std::string& name) {
    ::unsetenv(name.c_str());
}

UnreadableFile::UnreadableFile(const std::string& path) {
    if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("cannot make the pipe " + path);
}

UnreadableFile::~UnreadableFile() = default;

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> command{program};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& part : command) argv.push_back(part.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + program);
    m_process = pid;
}

ChildProcess::~ChildProcess() {
    if (m_process == -1) return;
    kill();
    wait();
}

void ChildProcess::kill() {
    ::kill(static_cast<pid_t>(m_process), SIGKILL);
}

ChildProcess::End ChildProcess::wait() {
    int status = 0;
    ::waitpid(static_cast<pid_t>(m_process), &status, 0);
    m_process = -1;
    if (!WIFEXITED(status)) return {};
    return {true, WEXITSTATUS(status)};
}

#endif

} // namespace corvane::test
