// The tool runner on Windows' own process calls: CreateProcessW with a command line quoted so that the
// program's C runtime reads back exactly the arguments given, the working folder set on the child
// only, its standard output and error in one pipe that is read while the tool runs, and a job object
// that holds the tool and every program it starts, so that a stop ends them all.

#include "platform/hostfs.h"
#include "platform/nativetoolrunner.h"
#include "platform/systemerror.h"
#include "platform/toolwatch.h"
#include "platform/widetext.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <windows.h>

namespace corvane {

namespace {

// Closes a handle when it goes.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle)
        : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { reset(); }
    void reset(HANDLE handle = nullptr) {
        if (m_handle) ::CloseHandle(m_handle);
        m_handle = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }
    HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    HANDLE m_handle = nullptr;
};

std::wstring WindowsPath(const std::string& path) {
    std::wstring wide = WideOf(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return wide;
}

// The caller's environment with the run's own variables set over it (names compared without regard
// to case, as Windows does), sorted as Windows wants an environment block, each entry ended by NUL and
// the block by one more.
std::wstring ChildEnvironment(const ToolRunOptions& options) {
    std::vector<std::wstring> entries;
    if (wchar_t* block = ::GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry; entry += std::wcslen(entry) + 1)
            entries.emplace_back(entry);
        ::FreeEnvironmentStringsW(block);
    }
    const auto nameOf = [](const std::wstring& entry) {
        // A name may start with "=" (the hidden current folders of the drives, "=C:=C:\...").
        return entry.substr(0, entry.find(L'=', 1));
    };
    const auto sameName = [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                      static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
    };
    for (const auto& [name, value] : options.environment) {
        const std::wstring wideName = WideOf(name);
        std::erase_if(entries, [&](const std::wstring& entry) { return sameName(nameOf(entry), wideName); });
        entries.push_back(wideName + L"=" + WideOf(value));
    }
    std::stable_sort(entries.begin(), entries.end(), [&](const std::wstring& a, const std::wstring& b) {
        const std::wstring x = nameOf(a), y = nameOf(b);
        return ::CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                                      static_cast<int>(y.size()), TRUE) == CSTR_LESS_THAN;
    });
    std::wstring result;
    for (const std::wstring& entry : entries) {
        result += entry;
        result += L'\0';
    }
    result += L'\0';
    return result;
}

// The read end of the child's output: a named pipe read with overlapped calls, so that the wait can
// wake on the child's end and on its output alike.
class OutputPipe {
public:
    // Creates the pipe and an inheritable write end for the child; false with the error code set.
    bool open(DWORD* error) {
        static std::atomic<unsigned> serial{0};
        const std::wstring name = L"\\\\.\\pipe\\corvane-tool-" + std::to_wstring(::GetCurrentProcessId()) +
                                  L"-" + std::to_wstring(serial++) + L"-" +
                                  std::to_wstring(::GetTickCount64());
        m_read.reset(::CreateNamedPipeW(
            name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
            PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, 1 << 16, 0,
            nullptr));
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        if (m_read)
            m_write.reset(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inherit, OPEN_EXISTING, 0, nullptr));
        m_event.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!m_read || !m_write || !m_event) {
            *error = ::GetLastError();
            return false;
        }
        m_overlapped.hEvent = m_event.get();
        return true;
    }

    HANDLE writeEnd() const { return m_write.get(); }
    HANDLE event() const { return m_event.get(); }
    // The parent's copy of the write end goes once the child has its own.
    void closeWriteEnd() { m_write.reset(); }

    // Starts the next read unless the pipe has ended; what completes at once is collected.
    void startRead(std::string& output) {
        while (m_open && !m_pending) {
            DWORD got = 0;
            ::ResetEvent(m_event.get());
            if (::ReadFile(m_read.get(), m_buffer, sizeof m_buffer, &got, &m_overlapped)) {
                AppendToolOutput(output, std::string_view(m_buffer, got));
                continue;
            }
            const DWORD code = ::GetLastError();
            if (code == ERROR_IO_PENDING)
                m_pending = true;
            else
                m_open = false; // ERROR_BROKEN_PIPE: every writer has gone
        }
    }

    // Collects a read that has completed and starts the next.
    void collect(std::string& output) {
        if (!m_pending) return startRead(output);
        DWORD got = 0;
        if (::GetOverlappedResult(m_read.get(), &m_overlapped, &got, FALSE)) {
            m_pending = false;
            AppendToolOutput(output, std::string_view(m_buffer, got));
        } else if (::GetLastError() != ERROR_IO_INCOMPLETE) {
            m_pending = false;
            m_open = false;
        }
        startRead(output);
    }

    // After the child has ended: what it wrote is in the pipe; collects it without waiting for the
    // programs it may have left behind, which can hold the pipe open.
    void drain(std::string& output) {
        for (int round = 0; m_open && round < 20; ++round) {
            collect(output);
            if (!m_pending || ::WaitForSingleObject(m_event.get(), 10) != WAIT_OBJECT_0) break;
        }
        if (m_pending) {
            ::CancelIoEx(m_read.get(), &m_overlapped);
            DWORD got = 0;
            ::GetOverlappedResult(m_read.get(), &m_overlapped, &got, TRUE);
            m_pending = false;
        }
    }

private:
    Handle m_read;
    Handle m_write;
    Handle m_event;
    OVERLAPPED m_overlapped{};
    char m_buffer[1 << 16];
    bool m_open = true;
    bool m_pending = false;
};

// Asks the tool to end: a console program as Ctrl+Break does (it has a process group of its own), a
// program with windows by closing them. False when neither can reach it (the runner has no console
// and the tool no window); then there is no asking, only ending.
bool AskToEnd(DWORD processId) {
    bool asked = ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, processId);
    struct Search {
        DWORD processId;
        bool found;
    } search{processId, false};
    ::EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == search->processId && ::PostMessageW(window, WM_CLOSE, 0, 0)) search->found = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return asked || search.found;
}

void End(HANDLE job, HANDLE process) {
    if (!job || !::TerminateJobObject(job, 1)) ::TerminateProcess(process, 1);
}

} // namespace

ToolResult NativeToolRunner::run(const std::string& program, const std::vector<std::string>& arguments,
                                 const std::string& workingFolder, const ToolRunOptions& options) {
    const std::vector<std::string> command = ToolCommand(program, arguments, m_wineProgram);
    ToolResult result;
    const auto cannotStart = [&](DWORD code) {
        const bool folder = hostfs::KindOf(workingFolder) != hostfs::Kind::Folder;
        result.error = "Could not start '" + command.front() + "'" +
                       (folder ? " in the folder '" + workingFolder + "'" : std::string()) + ": " +
                       SystemErrorText(code);
        return result;
    };

    OutputPipe pipe;
    DWORD code = 0;
    if (!pipe.open(&code)) return cannotStart(code);
    Handle input(::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr));
    if (input) ::SetHandleInformation(input.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = pipe.writeEnd();
    startup.hStdError = pipe.writeEnd();

    std::vector<std::string> windowsCommand = command;
    std::replace(windowsCommand.front().begin(), windowsCommand.front().end(), '/', '\\');
    std::wstring line = WideOf(WindowsCommandLine(windowsCommand));
    const std::wstring application =
        command.front().find('/') != std::string::npos ? WindowsPath(command.front()) : std::wstring();
    const std::wstring folder = WindowsPath(workingFolder);
    std::wstring environment;
    if (!options.environment.empty()) environment = ChildEnvironment(options);

    // Started held, so that it is in the job before it can start programs of its own.
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(application.empty() ? nullptr : application.c_str(), line.data(), nullptr, nullptr,
                          TRUE, CREATE_SUSPENDED | CREATE_NEW_PROCESS_GROUP | CREATE_UNICODE_ENVIRONMENT,
                          environment.empty() ? nullptr : environment.data(), folder.c_str(), &startup,
                          &process))
        return cannotStart(::GetLastError());
    Handle child(process.hProcess);
    Handle thread(process.hThread);
    Handle job(::CreateJobObjectW(nullptr, nullptr));
    if (job && !::AssignProcessToJobObject(job.get(), child.get())) job.reset();
    ::ResumeThread(thread.get());
    pipe.closeWriteEnd();
    input.reset();

    ToolWatch watch(options);
    pipe.startRead(result.output);
    for (;;) {
        const HANDLE waits[2] = {child.get(), pipe.event()};
        const DWORD woke =
            ::WaitForMultipleObjects(2, waits, FALSE, static_cast<DWORD>(kToolTickInterval.count()));
        if (woke == WAIT_OBJECT_0) break;
        if (woke == WAIT_OBJECT_0 + 1) pipe.collect(result.output);
        switch (watch.tick()) {
        case ToolWatch::Step::AskToEnd:
            if (!AskToEnd(process.dwProcessId)) End(job.get(), child.get());
            break;
        case ToolWatch::Step::Kill:
            End(job.get(), child.get());
            break;
        case ToolWatch::Step::Wait:
            break;
        }
    }
    pipe.drain(result.output);

    result.started = true;
    DWORD exitCode = 0;
    ::GetExitCodeProcess(child.get(), &exitCode);
    if (watch.stop() != ToolStop::None) {
        result.stop = watch.stop();
        result.error = ToolStopText(program, watch.stop(), watch.timeLimit());
        // The programs it started go with it.
        if (job) ::TerminateJobObject(job.get(), 1);
    } else if (exitCode >= 0x80000000u) {
        // An exception's status (0xC0000005 for an access violation): the program crashed.
        char status[16];
        std::snprintf(status, sizeof status, "0x%08lX", static_cast<unsigned long>(exitCode));
        result.error = "'" + program + "' ended abnormally (status " + status + ")";
    } else {
        result.exitCode = static_cast<int>(exitCode);
    }
    return result;
}

} // namespace corvane
