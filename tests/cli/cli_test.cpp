#include "cli/consoleprompts.h"
#include "clirun.h"
#include "tempdir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::Cli;
using corvane::test::CliRun;
using corvane::test::TempDir;

TEST(Cli, convertFolderToProjectAndBack) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    CliRun run = Cli({"convert", sample, dir.file("sample.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string project = dir.read("sample.cvp");
    // Written by the project writer (aircraft renumbered by first use: the writer tests' own).
    EXPECT_EQ(project.rfind("// Corvane Project File\r\n", 0), 0u);
    EXPECT_NE(project.find("AC#3,N401QX,50%,12Hr,IFR,"), std::string::npos);

    // An output without .cvp is a folder of the compiler's files.
    run = Cli({"convert", dir.file("sample.cvp"), dir.file("out")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.read("out/Airports.txt").substr(0, 30), "EKCH,N55* 37.07',E12* 39.36',1");
}

TEST(Cli, statsAndTheAirportList) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    const std::string apt =
        dir.write("apt.dat", "KSEA,N47* 26.88',W122* 18.62',433,Seattle Tacoma,United States\r\n"
                             "KLAX,N33* 56.55',W118* 24.48',125,Los Angeles,United States\r\n");
    CliRun run = Cli({"stats", sample});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "aircraft: 4\nmissing aircraft: 0\nairports: 6\nflights: 4\n");
    run = Cli({"stats", "--apt", apt, sample});
    EXPECT_EQ(run.out, "aircraft: 4\nmissing aircraft: 0\nairports: 7\nflights: 4\n");
}

TEST(Cli, droppedFlightsAreReportedButSucceed) {
    TempDir dir;
    dir.write("in/aircraft.txt", "AC#1,250,\"Boeing\"\r\n");
    dir.write("in/airports.txt", "KSEA,N47* 26.94',W122* 18.55',433,-,-\r\n");
    dir.write("in/flightplans.txt",
              "AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,10:00:00,11:00:00,100,F,2,XXXX,\r\n"
              "AC#7,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,\r\n");
    const CliRun run = Cli({"convert", dir.file("in"), dir.file("out.cvp")});
    EXPECT_EQ(run.status, 0);
    // The writer's two messages (their texts are the writer tests'), one line each.
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_EQ(
        run.err.rfind("Error finding aircraft: The aircraft AC#7 was not found in the database. All", 0), 0u)
        << run.err;
}

TEST(Cli, wrongArgumentsAndUnreadableFiles) {
    TempDir dir;
    EXPECT_EQ(Cli({}).status, 2);
    EXPECT_EQ(Cli({"frobnicate"}).status, 2);
    CliRun run = Cli({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("convert [--apt FILE] [--fs FOLDER] INPUT OUTPUT"), std::string::npos);
    EXPECT_NE(run.out.find("stats"), std::string::npos);
    EXPECT_EQ(Cli({"convert", "only-input"}).status, 2);
    EXPECT_EQ(Cli({"convert", "--bogus", "a", "b"}).status, 2);
    EXPECT_EQ(Cli({"convert", "a", "b", "--apt"}).status, 2);

    run = Cli({"convert", dir.file("missing.cvp"), dir.file("out.cvp")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("Error reading file: Could not open ''" + dir.file("missing.cvp") + "''", 0), 0u)
        << run.err;
    dir.write("in.cvp", "");
    run = Cli({"convert", dir.file("in.cvp"), dir.file("no/such/dir/out.cvp")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Error writing file"), std::string::npos);
    dir.write("blocker", "a file where a folder should be");
    run = Cli({"convert", dir.file("in.cvp"), dir.file("blocker/out")});
    EXPECT_EQ(run.status, 1);
#ifdef _WIN32
    // Windows would write "out.cvp." as the folder "out.cvp", and "a:b.cvp" into a stream of the file
    // "a" (or, given alone, on drive A): refused, naming the output, and nothing is written.
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    for (const std::string& output :
         {dir.file("out.cvp."), dir.file("out.cvp "), dir.file("a:b.cvp"), std::string("a:b.cvp")}) {
        run = Cli({"convert", sample, output});
        EXPECT_EQ(run.status, 1) << output;
        EXPECT_NE(run.err.find("''" + output + "'' Windows does not take this name"), std::string::npos)
            << run.err;
    }
    for (const char* name : {"out.cvp", "a", "b.cvp"})
        EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
#endif
}

TEST(Cli, inputThatReadsAsNothingIsNeverWrittenOver) {
    // A project saved in UTF-16 reads as nothing (the reader tests' refusal): exit status 1, and
    // converting it onto itself leaves it as it was.
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    ASSERT_EQ(Cli({"convert", sample, dir.file("sample.cvp")}).status, 0);
    std::string wide = "\xFF\xFE";
    for (const char c : dir.read("sample.cvp")) wide += std::string{c, '\0'};
    const std::string path = dir.write("u16.cvp", wide);
    EXPECT_EQ(Cli({"convert", path, path}).status, 1);
    EXPECT_EQ(dir.read("u16.cvp"), wide);
    dir.write("junk.cvp", "not a project\r\n");
    EXPECT_EQ(Cli({"merge", dir.file("sample.cvp"), dir.file("junk.cvp"), dir.file("merged.cvp")}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("merged.cvp")));
}

TEST(Cli, messageLinesJoinTheirLines) {
    EXPECT_EQ(cli::MessageLine("Title", "one\r\ntwo\r\n\r\nthree"), "Title: one two  three");
}

TEST(Cli, installedAircraftDecideWhatIsMissing) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    dir.write("FS2002/fs2002.exe", "MZ");
    dir.write("FS2002/Aircraft/B737/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Boeing 737-400\r\n[Reference Speeds]\r\ncruise_speed=430\r\n");
    dir.write("FS2002/Aircraft/Dash8/Aircraft.CFG",
              "[fltsim.0]\r\ntitle=Dash 8-400\r\n[fltsim.1]\r\ntitle=Dash 8-100\r\n"
              "[Reference Speeds]\r\ncruise_speed=270\r\n");
    CliRun run = Cli({"stats", "--fs", dir.file("FS2002"), sample});
    ASSERT_EQ(run.status, 0) << run.err;
    // Installed: the 737 and the Dash 8-400 of the traffic, and the Dash 8-100 that AddInstalledAircraft
    // adds.
    EXPECT_EQ(run.out, "aircraft: 3\nmissing aircraft: 2\nairports: 6\nflights: 4\n");

    run = Cli({"stats", "--fs", dir.file("nowhere"), sample});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("nowhere"), std::string::npos);
    // A file given as the simulator's folder is refused before anything is read or written.
    for (const char* command : {"stats", "convert", "filter", "merge", "open", "compile"}) {
        run = Cli({command, "--fs", dir.file("FS2002/fs2002.exe"), sample, dir.file("refused.cvp")});
        EXPECT_EQ(run.status, 2) << command;
        EXPECT_NE(run.err.find("is a file"), std::string::npos) << command << ": " << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("refused.cvp")));
}

TEST(Cli, aFileThatCannotBeReadFailsTheCommandEvenWhenItGoesOn) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    const CliRun run =
        Cli({"convert", "--apt", dir.file("no-such-apt.dat"), sample, dir.file("written.cvp")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Error reading file: Could not open ''" + dir.file("no-such-apt.dat")),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(std::filesystem::exists(dir.file("written.cvp"))) << "the output is still written";
}

TEST(Cli, filterRunsTheDialogsFilters) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    CliRun run = Cli({"filter", sample, dir.file("half.cvp"), "--percent", "50", "--icao", "en"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Done editing 2 flights!\n");
    const std::string half = dir.read("half.cvp");
    EXPECT_NE(half.find("LN-RKA,50%"), std::string::npos);
    EXPECT_NE(half.find("N301AS,100%"), std::string::npos);

    run = Cli({"filter", sample, dir.file("shift.cvp"), "--shift", "-1", "--aircraft", "dash 8-400"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(dir.read("shift.cvp").find("N401QX,50%,12Hr,IFR,09:00:00,09:50:00"), std::string::npos);

    run = Cli({"filter", sample, dir.file("none.cvp"), "--delete"});
    EXPECT_EQ(run.out, "Done editing 4 flights!\n");

    // Refused as the dialog refuses (its refusals are the filter editor tests'), and nothing is written.
    for (auto args :
         std::vector<std::vector<std::string>>{{"--shift", "25"}, {"--delete", "--aircraft", "Nobody"}}) {
        std::vector<std::string> full{"filter", sample, dir.file("refused.cvp")};
        full.insert(full.end(), args.begin(), args.end());
        run = Cli(full);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_FALSE(std::filesystem::exists(dir.file("refused.cvp")));
    }
    EXPECT_EQ(run.err, "Select aircraft: You must select an aircraft from the from the list.\n");
    EXPECT_EQ(Cli({"filter", sample, dir.file("x.cvp")}).status, 2) << "no filter";
    EXPECT_EQ(Cli({"filter", sample, dir.file("x.cvp"), "--delete", "--percent", "5"}).status, 2);
    EXPECT_EQ(Cli({"filter", sample, dir.file("x.cvp"), "--delete", "--icao", "K", "--aircraft", "A"}).status,
              2);
}

TEST(Cli, etaOfALeg) {
    TempDir dir;
    const std::string apt =
        dir.write("apt.dat", "AAAA,N00* 0.0',W000* 0.0',0,A,-\r\nBBBB,N01* 0.0',W000* 0.0',0,B,-\r\n");
    CliRun run = Cli({"eta", "--apt", apt, "--from", "AAAA", "--to", "bbbb", "--speed", "240"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out == "1800\n" || run.out == "1799\n") << run.out;
    // What cannot be computed is the legs editor tests'; the apt.dat beside the program, CliProgram's.
    EXPECT_EQ(Cli({"eta", "--apt", apt, "--from", "AAAA", "--speed", "240"}).status, 2);
    EXPECT_EQ(Cli({"eta", "--apt", dir.file("none.dat"), "--from", "A", "--to", "B", "--speed", "1"}).status,
              1);
}

TEST(Cli, rerouteMovesAnAirportsTraffic) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    CliRun run =
        Cli({"reroute", sample, dir.file("bfi.cvp"), "--from", "kpdx", "--to", "KBFI", "--remove-old"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Moved the traffic of KPDX to KBFI: 2 flights with 4 legs to or from KPDX.\n\n"
                       "KPDX was taken out of the airport table.\n");
    const std::string moved = dir.read("bfi.cvp");
    EXPECT_NE(moved.find("AC#1,N301AS,100%,24Hr,IFR,06:00:00,07:10:00,330,F,101,KBFI,"), std::string::npos);
    EXPECT_EQ(moved.find("KPDX"), std::string::npos);

    // Refused (what and why is the bulk change tests'), and nothing is written.
    for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--from", "KSEA", "--to", "KLAX"}, "Unknown airport: The airport KLAX is not in the airport"},
             {{"--from", "KSEA"}, "corvane-cli reroute: needs --from and --to\n"}}) {
        std::vector<std::string> full{"reroute", sample, dir.file("refused.cvp")};
        full.insert(full.end(), args.begin(), args.end());
        run = Cli(full);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_EQ(run.err.substr(0, message.size()), message);
        EXPECT_FALSE(std::filesystem::exists(dir.file("refused.cvp")));
    }
    EXPECT_EQ(Cli({"reroute", dir.file("none"), dir.file("x.cvp"), "--from", "A", "--to", "B"}).status, 1);
}

TEST(Cli, retimeSetsTheProposedArrivals) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    dir.write("sample/flightplans.txt",
              dir.read("sample/flightplans.txt") +
                  "AC#7,N7,100%,24Hr,IFR,06:00:00,07:10:00,330,F,1,KPDX,08:00:00,09:10:00,330,F,2,KSEA,\r\n");
    CliRun run = Cli({"retime", sample, dir.file("retimed"), "--icao", "k"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Set the arrival time of 4 legs in 2 flights from the cruise speeds.\n\n"
                       "2 legs kept their arrival time:\n2 legs whose aircraft has no cruise speed\n");
    // The check finds every retimed leg as long as it proposes.
    run = Cli({"check", dir.file("retimed")});
    EXPECT_EQ(run.out.find("leg-too-"), std::string::npos) << run.out;

    run = Cli({"retime", sample, dir.file("dash.cvp"), "--aircraft", "DASH 8-400"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 40), "Set the arrival time of 2 legs in 1 flig");
    EXPECT_EQ(Cli({"retime", sample, dir.file("x.cvp"), "--aircraft", "Nobody"}).status, 2);
    EXPECT_EQ(Cli({"retime", sample, dir.file("x.cvp"), "--icao", "K", "--aircraft", "A"}).status, 2);
    EXPECT_EQ(Cli({"retime", sample}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.cvp")));
}
