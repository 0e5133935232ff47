// corvane-cli check and board: their CSV lines, what they print on standard error and their exit
// statuses.

#include "clirun.h"
#include "tempdir.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::Cli;
using corvane::test::CliRun;
using corvane::test::TempDir;

namespace {

// A folder of text databases: one clean flight, one with errors, a copy of the first, and a flight that
// shares a tail number holding a double quote.
std::string WriteTraffic(const TempDir& dir) {
    dir.write("in/aircraft.txt", "AC#1,240,\"Jet\"\r\nAC#2,9,\"Glider\"\r\n");
    dir.write("in/airports.txt", "AAAA,N10* 0.0',E10* 0.0',0\r\nBBBB,N10* 0.0',E10* 0.0',0\r\n");
    dir.write("in/flightplans.txt",
              "AC#1,N1,50%,24Hr,IFR,08:00:00,08:15:00,100,F,1,BBBB,09:00:00,09:15:00,100,F,2,AAAA,\r\n"
              "AC#2,N\"2,0%,24Hr,IFR,08:00:00,08:05:00,100,F,1,XXXX,08:10:00,08:15:00,100,F,2,AAAA,\r\n"
              "AC#1,N1,50%,24Hr,IFR,08:00:00,08:15:00,100,F,1,BBBB,09:00:00,09:15:00,100,F,2,AAAA,\r\n"
              "AC#1,N\"2,50%,24Hr,IFR,10:00:00,10:15:00,100,F,1,BBBB,11:00:00,11:15:00,100,F,2,AAAA,\r\n");
    return dir.file("in");
}

} // namespace

TEST(CliCheck, printsOneCsvLinePerProblem) {
    TempDir dir;
    const CliRun run = Cli({"check", WriteTraffic(dir)});
    // Which problems, in which order, with which texts, is the traffic check tests'; here their lines.
    for (const char* line :
         {"warning,0,,duplicate-tail,The tail number N1 is also used by flight 2 (2 flights in all).\n",
          "warning,1,,duplicate-tail,\"The tail number N\"\"2 is also used by flight 3 (2 flights in "
          "all).\"\n",
          "error,1,1,unknown-airport,\"AAAA-XXXX: the airport XXXX is not in the airport table, so saving or "
          "compiling drops the flight.\"\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 9) << run.out;
    EXPECT_EQ(run.err, "2 errors, 7 warnings\n");
    EXPECT_EQ(run.status, 3);
}

TEST(CliCheck, turnaroundAndExitStatuses) {
    TempDir dir;
    const std::string in = WriteTraffic(dir);
    CliRun run = Cli({"check", "--turnaround", "46", in});
    EXPECT_NE(run.out.find("warning,0,2,short-turnaround,"), std::string::npos) << run.out;

    // Warnings alone: exit 0.
    dir.write("clean/aircraft.txt", "AC#1,240,\"Jet\"\r\n");
    dir.write("clean/airports.txt", "AAAA,N10* 0.0',E10* 0.0',0\r\nBBBB,N10* 0.0',E10* 0.0',0\r\n");
    dir.write("clean/flightplans.txt",
              "AC#1,N1,0%,24Hr,IFR,08:00:00,08:15:00,100,F,1,BBBB,09:00:00,09:15:00,100,F,2,AAAA,\r\n");
    run = Cli({"check", dir.file("clean")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "warning,0,,percent,\"The traffic percent is 0%, so the flight never appears.\"\n");
    EXPECT_EQ(run.err, "0 errors, 1 warnings\n");

    EXPECT_EQ(Cli({"check", dir.file("missing.cvp")}).status, 1);
    for (const char* minutes : {"1441", ""}) { // what the minutes may be is the options editor tests'
        run = Cli({"check", "--turnaround", minutes, in});
        EXPECT_EQ(run.status, 2) << minutes;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("--turnaround needs a whole number of minutes from 0 to 1440"),
                  std::string::npos);
    }
    EXPECT_EQ(Cli({"check"}).status, 2);
    EXPECT_EQ(Cli({"check", in, in}).status, 2);
    EXPECT_EQ(Cli({"check", "--turnaround"}).status, 2);
}

TEST(CliCheck, installedAircraftAndTheAirportList) {
    TempDir dir;
    const std::string in = WriteTraffic(dir);
    dir.write("FS2002/fs2002.exe", "MZ");
    dir.write("FS2002/Aircraft/jet/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Jet\r\n[Reference Speeds]\r\ncruise_speed=240\r\n");
    const std::string apt = dir.write("apt.dat", "XXXX,N10* 0.0',E10* 0.0',0,X-ray,-\r\n");
    const CliRun run = Cli({"check", "--fs", dir.file("FS2002"), "--apt", apt, in});
    EXPECT_EQ(run.status, 3) << "the glider is still too slow";
    EXPECT_NE(run.out.find("warning,1,,missing-aircraft,The aircraft AC#2 (Glider) is not installed in the "
                           "simulator.\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("unknown-airport"), std::string::npos) << "apt.dat knows XXXX";
}

TEST(CliBoard, printsTheDeparturesAndArrivalsAndTheHours) {
    TempDir dir;
    const std::string in = WriteTraffic(dir);
    CliRun run = Cli({"board", "--icao", "bbbb", in});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "kind,day,time,flight,tail,aircraft,airport,percent,rules\n"
                       "departure,,09:00,2,N1,Jet,AAAA,50,IFR\n"
                       "departure,,09:00,2,N1,Jet,AAAA,50,IFR\n"
                       "departure,,11:00,2,\"N\"\"2\",Jet,AAAA,50,IFR\n"
                       "arrival,,08:15,1,N1,Jet,AAAA,50,IFR\n"
                       "arrival,,08:15,1,N1,Jet,AAAA,50,IFR\n"
                       "arrival,,10:15,1,\"N\"\"2\",Jet,AAAA,50,IFR\n");
    EXPECT_EQ(run.err, "0 0 0 0 0 0 0 0 2 2 1 1 0 0 0 0 0 0 0 0 0 0 0 0\n"
                       "0 0 0 0 0 0 0 0 2 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0\n");

    // A weekly flight over the week's end and one every six hours, at +1 on Sunday.
    dir.write("week/aircraft.txt", "AC#1,240,\"Jet\"\r\n");
    dir.write("week/airports.txt", "AAAA,N10* 0.0',E10* 0.0',0\r\nBBBB,N10* 0.0',E10* 0.0',0,Bravo,-\r\n");
    dir.write(
        "week/flightplans.txt",
        "AC#1,W1,100%,WEEK,VFR,6/23:30:00,0/00:40:00,100,F,7,BBBB,0/06:00:00,0/07:00:00,100,F,8,AAAA,\r\n"
        "AC#1,S6,25%,6Hr,IFR,01:00:00,02:00:00,100,F,9,BBBB,03:00:00,04:00:00,100,F,10,AAAA,\r\n"
        "AC#1,U,100%,24Hr,IFR,8:00,09:00:00,100,F,1,BBBB,10:00:00,11:00:00,100,F,2,AAAA,\r\n");
    run = Cli({"board", "--icao", "AAAA", "--zone", "+1", "--day", "sun", dir.file("week")});
    EXPECT_EQ(run.status, 0) << run.err;
    // The rows a zone and a day give are the board tests'; here the options reach the board.
    EXPECT_NE(run.out.find("rules\ndeparture,Sun,00:30,7,W1,Jet,BBBB Bravo,100,VFR\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("arrival,,23:00,10,S6,"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("\n1 flight left out: the repeat period or times cannot be read\n"),
              std::string::npos)
        << run.err;
    run = Cli({"board", "--icao", "AAAA", "--day", "Sat", "--zone", "+1", dir.file("week")});
    EXPECT_EQ(run.out.find("W1"), std::string::npos) << "at +1 the weekly departure is on Sunday";
    run = Cli({"board", "--icao", "AAAA", "--day", "Sun", "--zone", "- 1", dir.file("week")});
    EXPECT_NE(run.out.find("\narrival,Sun,06:00,8,W1,"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("departure,Sun"), std::string::npos) << "at -1 it leaves on Saturday";
    run = Cli({"board", "--icao", "AAAA", "--day", "Sat", "--zone", "GMT", dir.file("week")});
    EXPECT_NE(run.out.find("departure,Sat,23:30,7,W1"), std::string::npos) << run.out;

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"board", "--icao", "AAAA", "--zone", "+13", in},
          {"board", "--icao", "AAAA", "--zone", "1.5", in},
          {"board", "--icao", "AAAA", "--zone", "", in},
          {"board", "--icao", "AAAA", "--day", "Sunday", in},
          {"board", "--icao", "", in},
          {"board", in},
          {"board", "--icao", "AAAA"},
          {"board", "--icao", "AAAA", in, in}}) {
        run = Cli(args);
        EXPECT_EQ(run.status, 2) << args.size() << " " << args.back();
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(Cli({"board", "--icao", "AAAA", "--zone", "-12", in}).status, 0);
    EXPECT_EQ(Cli({"board", "--icao", "AAAA", "--zone", "+12", in}).status, 0);
    EXPECT_EQ(Cli({"board", "--icao", "AAAA", dir.file("missing.cvp")}).status, 1);
}
