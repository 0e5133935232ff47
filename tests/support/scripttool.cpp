// The program that the tool-runner tests start: a copy of it at any name does what the script beside
// it (the same path with ".script" added) says, one command a line:
//   out TEXT          TEXT and a line end to standard output
//   err TEXT          the same to standard error
//   args-to FILE      each argument followed by "|" into FILE
//   cwd-to FILE       the current folder and a line end into FILE
//   write FILE TEXT   TEXT and a CR LF line end into FILE (no blank in FILE)
//   env NAME...       the values of the variables, each followed by "|", to standard output
//   sleep MS          waits
//   exit CODE         ends with CODE
//   crash             ends abnormally (killed by a signal; on Windows with an exception's status)
//   ignore-stop       ignores a request to end (SIGTERM; Ctrl+Break on Windows)
//   leave MS          starts a program of its own that holds the output open for MS and is not
//                     waited for
//   temp-in FOLDER    leaves a temporary file of its own in FOLDER, as a write under way does
// At the end of the script it ends with 0.

#include "platform/hostfs.h"
#include "platform/programstart.h"
#include "platform/tempfiles.h"
#include "platform/textfile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include "platform/widetext.h"

#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace {

using corvane::hostfs::RunningProgramPath;

void Sleep(const std::string& milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoll(milliseconds.c_str())));
}

#ifdef _WIN32
[[noreturn]] void Crash() {
    ::TerminateProcess(::GetCurrentProcess(), 0xC0000005);
    std::abort();
}

void IgnoreStop() {
    ::SetConsoleCtrlHandler([](DWORD) -> BOOL { return TRUE; }, TRUE);
}

void Leave(const std::string& milliseconds) {
    std::wstring line =
        L"\"" + corvane::WideOf(RunningProgramPath()) + L"\" --sleep " + corvane::WideOf(milliseconds);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                         &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

#else
[[noreturn]] void Crash() {
    std::raise(SIGKILL);
    std::abort();
}

void IgnoreStop() {
    std::signal(SIGTERM, SIG_IGN);
}

void Leave(const std::string& milliseconds) {
    if (::fork() == 0) {
        Sleep(milliseconds);
        ::_exit(0);
    }
}
#endif

} // namespace

int main(int argc, char** argv) {
    corvane::PrepareProcess();
    const std::vector<std::string> arguments = corvane::ProgramArguments(argc, argv);
    if (arguments.size() == 2 && arguments[0] == "--sleep") {
        Sleep(arguments[1]);
        return 0;
    }
    std::istringstream script(corvane::ReadFileBytes(RunningProgramPath() + ".script").value_or(""));
    for (std::string line; std::getline(script, line);) {
        const auto blank = line.find(' ');
        const std::string command = line.substr(0, blank);
        const std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
        std::string listed;
        if (command == "out") {
            std::fputs((rest + "\n").c_str(), stdout);
        } else if (command == "err") {
            std::fputs((rest + "\n").c_str(), stderr);
        } else if (command == "args-to") {
            for (const std::string& argument : arguments) listed += argument + "|";
            corvane::SaveFileAtomically(rest, listed);
        } else if (command == "cwd-to") {
            corvane::SaveFileAtomically(rest, corvane::hostfs::CurrentFolder() + "\n");
        } else if (command == "write") {
            const auto space = rest.find(' ');
            corvane::SaveFileAtomically(rest.substr(0, space),
                                        (space == std::string::npos ? "" : rest.substr(space + 1)) + "\r\n");
        } else if (command == "env") {
            std::istringstream names(rest);
            for (std::string name; names >> name;) {
                const char* value = std::getenv(name.c_str());
                listed += std::string(value ? value : "") + "|";
            }
            std::fwrite(listed.data(), 1, listed.size(), stdout);
        } else if (command == "sleep") {
            Sleep(rest);
        } else if (command == "exit") {
            std::fflush(stdout);
            return std::atoi(rest.c_str());
        } else if (command == "crash") {
            std::fflush(stdout);
            std::fflush(stderr);
            Crash();
        } else if (command == "ignore-stop") {
            IgnoreStop();
        } else if (command == "temp-in") {
            corvane::hostfs::NewFile file;
            int code = 0;
            if (file.create(corvane::TempFilePattern(rest), "", &code) && file.write("x", &code) &&
                file.finish(&code))
                file.forget();
        } else if (command == "leave") {
            std::fflush(stdout);
            Leave(rest);
        }
        std::fflush(stdout);
        std::fflush(stderr);
    }
    return 0;
}
