#pragma once
// What the tests need of the system, the same on every system: environment variables, a file that
// exists but cannot be read, and a program started, killed and waited for.

#include <optional>
#include <string>
#include <vector>

namespace corvane::test {

// The process's environment variables; programs started afterwards inherit them.
void SetEnv(const std::string& name, const std::string& value);
void UnsetEnv(const std::string& name);

// Sets a variable (or, without a value, removes it) for the life of the object, then puts back what
// was there.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    bool m_had = false;
    std::string m_old;
};

// A file at path that exists but cannot be read while the object lives: a named pipe (which would
// make a careless reader wait forever) on POSIX systems; on Windows a file that this process holds
// open without sharing it, as another program may.
class UnreadableFile {
public:
    explicit UnreadableFile(const std::string& path);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

private:
    void* m_handle = nullptr;
};

// A program started by a test, to be killed at any instant or waited for.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Ends the program at once, as a crash or the system would.
    void kill();
    struct End {
        bool normal = false; // it ended by itself; otherwise it was killed or crashed
        int exitCode = -1;
    };
    End wait();

private:
    long long m_process = -1; // a process id, or a Windows process handle
};

} // namespace corvane::test
