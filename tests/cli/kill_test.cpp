// A conversion killed at any instant leaves the old output file or the complete new one, never a
// torn one; what killed conversions leave behind goes with the next conversion into the folder.

#include "hostpath.h"
#include "platform/nativetoolrunner.h"
#include "platform/textfile.h"
#include "platformtest.h"
#include "runprogram.h"
#include "tempdir.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <random>
#include <thread>

using corvane::test::ChildProcess;

namespace {

std::unique_ptr<ChildProcess> StartConvert(const std::string& input, const std::string& output) {
    return std::make_unique<ChildProcess>(CORVANE_CLI_PATH,
                                          std::vector<std::string>{"convert", input, output});
}

// A project of 60,000 flights over the given number of aircraft, big enough that writing it takes a
// while.
std::string BigProject(int aircraft) {
    std::string project = "// Corvane Project File\r\n";
    for (int a = 1; a <= aircraft; ++a)
        project += "AC#" + std::to_string(a) + ",450,\"Aircraft " + std::to_string(a) + "\"\r\n";
    project +=
        "KSEA,N47* 26.94',W122* 18.55',433,Seattle,US\r\nKBFI,N47* 31.6',W122* 18.0',21,Boeing Field,US\r\n";
    for (int i = 0; i < 60000; ++i)
        project += "AC#" + std::to_string(aircraft - i % aircraft) + ",N" + std::to_string(i) +
                   ",100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,09:00:00,09:20:00,100,F,2,KSEA,\r\n";
    return project;
}

// Kills conversions at random instants within the time that one whole conversion took.
class RandomKiller {
public:
    RandomKiller(const std::string& input, const std::string& output, unsigned seed)
        : m_input(input)
        , m_random(seed) {
        const auto start = std::chrono::steady_clock::now();
        const ChildProcess::End first = StartConvert(input, output)->wait();
        EXPECT_TRUE(first.normal && first.exitCode == 0);
        m_at = std::uniform_int_distribution<long long>(
            0, std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
                   .count());
    }
    // Converts into output and kills the conversion; true when it was caught before it ended.
    bool killConvert(const std::string& output) {
        const auto child = StartConvert(m_input, output);
        std::this_thread::sleep_for(std::chrono::microseconds(m_at(m_random)));
        child->kill();
        return !child->wait().normal;
    }

private:
    std::string m_input;
    std::mt19937 m_random;
    std::uniform_int_distribution<long long> m_at;
};

// The temporary files of Corvane's naming in folder.
int TempFilesIn(const std::string& folder) {
    const auto names = corvane::test::NamesIn(folder);
    return static_cast<int>(std::count_if(
        names.begin(), names.end(), [](const std::string& name) { return name.starts_with(".cvtmp-"); }));
}

} // namespace

TEST(CliKill, outputIsOldOrNewNeverTorn) {
    corvane::test::TempDir dir;
    const std::string input = dir.write("input.cvp", BigProject(1));
    RandomKiller killer(input, dir.file("expected.cvp"), 7);
    const std::string expected = dir.read("expected.cvp");
    ASSERT_GT(expected.size(), 1000000u);

    const std::string old = "the old output\r\n";
    dir.write("target.cvp", old);
    int killed = 0;
    for (int round = 0; round < 12; ++round) {
        killed += killer.killConvert(dir.file("target.cvp"));
        const std::string now = dir.read("target.cvp");
        ASSERT_TRUE(now == old || now == expected) << "round " << round << ": " << now.size() << " bytes";
        if (now == expected) dir.write("target.cvp", old);
    }
    EXPECT_GT(killed, 0) << "no conversion was caught mid-way";
    // One more conversion into the folder takes away what the killed ones left.
    std::cout << "temporary files left by " << killed << " killed conversions: " << TempFilesIn(dir.path())
              << '\n';
    const ChildProcess::End last = StartConvert(input, dir.file("target.cvp"))->wait();
    EXPECT_TRUE(last.normal && last.exitCode == 0);
    EXPECT_EQ(TempFilesIn(dir.path()), 0);
}

namespace {

std::string ReadIfThere(const corvane::test::TempDir& dir, const std::string& relative) {
    return std::filesystem::exists(dir.file(relative)) ? dir.read(relative) : std::string("<missing>");
}

} // namespace

TEST(CliKill, theThreeDatabasesAreReplacedAsASet) {
    corvane::test::TempDir dir;
    const std::string input = dir.write("input.cvp", BigProject(300));
    RandomKiller killer(input, dir.file("expected"), 11);
    // The old set as the decompiler leaves it, in lower case, in every other round: the new one must
    // replace it by name; in the others, in the writer's own spelling.
    const char* lower[] = {"aircraft.txt", "airports.txt", "flightplans.txt"};
    const char* written[] = {"Aircraft.txt", "Airports.txt", "FlightPlans.txt"};
    std::vector<std::string> expected;
    for (const char* name : written) expected.push_back(dir.read("expected/" + std::string(name)));
    const std::vector<std::string> old{"old aircraft\r\n", "old airports\r\n", "old flights\r\n"};

    int killed = 0, mixed = 0, leftBehind = 0;
    for (int round = 0; round < 400 && killed < 100; ++round) {
        const char** names = round % 2 == 0 ? lower : written;
        // The old set, in this round's spelling; what earlier rounds left beside it stays.
        for (int i = 0; i < 3; ++i) {
            std::filesystem::remove(dir.file("target/" + std::string(lower[i])));
            std::filesystem::remove(dir.file("target/" + std::string(written[i])));
            dir.write("target/" + std::string(names[i]), old[static_cast<std::size_t>(i)]);
        }
        killed += killer.killConvert(dir.file("target"));
        leftBehind += TempFilesIn(dir.file("target"));
        // As the next reader of the folder sees it.
        EXPECT_TRUE(corvane::CompletePendingFileSet(dir.file("target"))) << "round " << round;
        std::vector<std::string> now;
        for (int i = 0; i < 3; ++i) now.push_back(ReadIfThere(dir, "target/" + std::string(names[i])));
        // The set under its own names, no second spelling beside them (a temporary file that a kill
        // left behind aside).
        std::vector<std::string> listed;
        for (const std::string& name : corvane::test::NamesIn(dir.file("target")))
            if (!name.starts_with(".cvtmp-")) listed.push_back(name);
        std::vector<std::string> wanted(names, names + 3);
        std::sort(wanted.begin(), wanted.end());
        EXPECT_EQ(listed, wanted) << "round " << round;
        if (now != expected && now != old) {
            ++mixed;
            ADD_FAILURE() << "round " << round << ": " << now[0].substr(0, 20) << " | "
                          << now[1].substr(0, 20) << " | " << now[2].substr(0, 20);
        }
    }
    EXPECT_EQ(mixed, 0) << "folders that held part of the old set and part of the new one";
    EXPECT_GE(killed, 100) << "conversions caught mid-way";
    std::cout << "temporary files found after " << killed << " killed conversions: " << leftBehind << '\n';
    const ChildProcess::End last = StartConvert(input, dir.file("target"))->wait();
    EXPECT_TRUE(last.normal && last.exitCode == 0);
    EXPECT_EQ(TempFilesIn(dir.file("target")), 0);
    EXPECT_EQ(corvane::test::NamesIn(dir.file("target")).size(), 3u) << "the set alone, without a note";
}

TEST(CliMemory, aFileTooLargeForTheMemoryIsReportedNotAnAbort) {
#if defined(_WIN32)
    GTEST_SKIP() << "the address-space limit of a process is setrlimit's (POSIX); Wine keeps no such limit";
#elif defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address-space limit and AddressSanitizer do not go together";
#else
    corvane::test::TempDir dir;
    // 60 MB of one-character flight lines need some 700 MB; the limit gives 300 MB.
    std::string flights;
    flights.reserve(60'000'000);
    for (int i = 0; i < 20'000'000; ++i) flights += "%\r\n";
    const std::string input = dir.write("big.cvp", flights);
    flights.clear();
    flights.shrink_to_fit();
    const auto [status, errors] = corvane::test::RunProgram(
        CORVANE_CLI_PATH, {"convert", input, dir.file("out.cvp")}, dir.path(), {}, 300u << 20);
    EXPECT_EQ(status, 1) << errors;
    EXPECT_NE(errors.find("Error reading file: There is not enough memory to read ''" + input + "''"),
              std::string::npos)
        << errors;
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.cvp")));

    // Airport lines cost more per line; they too end in the message.
    std::string airports;
    for (int i = 0; i < 3'000'000; ++i) airports += "*\r\n";
    const std::string many = dir.write("airports.cvp", airports);
    const auto [airportStatus, airportErrors] =
        corvane::test::RunProgram(CORVANE_CLI_PATH, {"stats", many}, dir.path(), {}, 300u << 20);
    EXPECT_EQ(airportStatus, 1) << airportErrors;
    EXPECT_NE(airportErrors.find("Error reading file"), std::string::npos) << airportErrors;
#endif
}

TEST(CliProgram, findsItsFolderWhateverTheBytesOfItsName) {
    corvane::test::TempDir dir;
    // Without --apt, eta takes the apt.dat beside the program: only a program that knows its folder
    // finds it. A folder with blanks, whose name is not UTF-8 (Linux takes any bytes), and one in Greek
    // and Japanese letters ("Πτήσεις 飛行機", which Windows holds as UTF-16).
    std::vector<std::string> names{"Corvane \xCE\xA0\xCF\x84\xCE\xAE\xCF\x83\xCE\xB5\xCE\xB9\xCF\x82 "
                                   "\xE9\xA3\x9B\xE8\xA1\x8C\xE6\xA9\x9F"};
#ifndef _WIN32
    names.push_back("Corvane \xE9t\xE9\xFF");
#endif
    for (const std::string& name : names) {
        const std::string folder = dir.mkdir(name);
        const std::string program = folder + std::filesystem::path(CORVANE_CLI_PATH).filename().string();
        std::filesystem::copy_file(CORVANE_CLI_PATH, corvane::test::FsPath(program));
        dir.write(name + "/apt.dat",
                  "AAAA,N00* 0.0',W000* 0.0',0,A,X\r\nBBBB,N01* 0.0',W000* 0.0',0,B,X\r\n");
        const corvane::ToolResult run = corvane::NativeToolRunner().run(
            program, {"eta", "--from", "AAAA", "--to", "BBBB", "--speed", "240"}, folder);
        EXPECT_EQ(run.exitCode, 0) << run.error << run.output;
        EXPECT_TRUE(run.output == "1800\n" || run.output == "1799\n") << run.output;
    }
}
