// A conversion killed at any instant leaves the old output file or the complete new one, never a
// torn one.

#include "tempdir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

pid_t StartConvert(const std::string& input, const std::string& output) {
    const std::string program = CORVANE_CLI_PATH;
    std::vector<std::string> args{program, "convert", input, output};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

} // namespace

TEST(CliKill, outputIsOldOrNewNeverTorn) {
    corvane::test::TempDir dir;
    // A project big enough that writing it takes a while.
    std::string project = "// Corvane Project File\r\n";
    project += "AC#1,450,\"Boeing 737-400\"\r\n";
    project +=
        "KSEA,N47* 26.94',W122* 18.55',433,Seattle,US\r\nKBFI,N47* 31.6',W122* 18.0',21,Boeing Field,US\r\n";
    for (int i = 0; i < 60000; ++i)
        project += "AC#1,N" + std::to_string(i) +
                   ",100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,09:00:00,09:20:00,100,F,2,KSEA,\r\n";
    const std::string input = dir.write("input.cvp", project);

    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Wait(StartConvert(input, dir.file("expected.cvp"))), 0);
    const auto duration = std::chrono::steady_clock::now() - start;
    const std::string expected = dir.read("expected.cvp");
    ASSERT_GT(expected.size(), 1000000u);

    const std::string old = "the old output\r\n";
    dir.write("target.cvp", old);
    std::mt19937 random(7);
    std::uniform_int_distribution<long long> at(
        0, std::chrono::duration_cast<std::chrono::microseconds>(duration).count());
    int killed = 0;
    for (int round = 0; round < 12; ++round) {
        const pid_t pid = StartConvert(input, dir.file("target.cvp"));
        std::this_thread::sleep_for(std::chrono::microseconds(at(random)));
        ::kill(pid, SIGKILL);
        const int status = Wait(pid);
        killed += WIFSIGNALED(status);
        const std::string now = dir.read("target.cvp");
        ASSERT_TRUE(now == old || now == expected) << "round " << round << ": " << now.size() << " bytes";
        if (now == expected) dir.write("target.cvp", old);
    }
    EXPECT_GT(killed, 0) << "no conversion was caught mid-way";
}
