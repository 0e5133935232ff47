#include "clirun.h"
#include "tempdir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::Cli;
using corvane::test::CliRun;
using corvane::test::TempDir;

TEST(CliTimetable, addsTheFlightsPrintsTheProblemsAndRefusesWhatIsNoTimetable) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    dir.write("apt.dat", "ENBR,N60* 17.60',E5* 13.09',170,Bergen,Norway\r\n");
    dir.write("iata.dat", "OSL,ENGM\r\nBGO,ENBR\r\n");
    const std::string timetable = dir.write("t.csv", "flight;from;to;departure;arrival;days;aircraft\r\n"
                                                     "SK1;OSL;BGO;08:00;09:00;daily;Boeing 737-400\r\n"
                                                     "SK2;BGO;OSL;09:30;10:30;daily;Boeing 737-400\r\n");
    // apt.dat and iata.dat in the program folder, dir.
    CliRun run = Cli({"timetable", "--zone", "+1", "--percent", "40", sample, timetable, dir.file("out.cvp")},
                     dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "2 rows, 1 rotation, 1 flight; no problems\n");
    // The zone and the percent reach the import (what it makes of the rows is the timetable tests').
    EXPECT_NE(dir.read("out.cvp").find("AC#1,SK1,40%,24Hr,IFR,07:00:00,08:00:00,"), std::string::npos);

    // A row that breaks the one rotation: printed as CSV, the rest written, exit 3.
    dir.write("t.csv", "flight,from,to,departure,arrival,days,tail,aircraft\r\n"
                       "SK1,OSL,BGO,08:00,09:00,1,LN-A,Boeing 737-400\r\n"
                       "SK2,ENGM,OSL,09:30,10:30,1,LN-A,Boeing 737-400\r\n");
    run = Cli({"timetable", sample, timetable, dir.file("out.cvp")}, dir.path());
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_EQ(run.out,
              "2,rotation-left-out,Row 2: the rotation of LN-A is left out: row 3 of it cannot be imported.\n"
              "3,same-airport,Row 3: SK2 departs from and arrives at ENGM.\n");
    EXPECT_EQ(dir.read("out.cvp").find(",LN-A,"), std::string::npos);

    // Not a timetable, or a wrong option: refused, nothing written.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"timetable", sample, sample + "/aircraft.txt", dir.file("no.cvp")},
             {"timetable", "--zone", "+5:30", sample, timetable, dir.file("no.cvp")},
             {"timetable", "--percent", "0", sample, timetable, dir.file("no.cvp")}}) {
        run = Cli(args, dir.path());
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.file("no.cvp")));
    }
    EXPECT_NE(run.err.find("--percent needs a whole number from 1 to 100"), std::string::npos);
}
