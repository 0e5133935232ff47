#include "clirun.h"
#include "tempdir.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::Cli;
using corvane::test::CliRun;
using corvane::test::TempDir;

namespace {

const char* const kSampleExport =
    "// Corvane Project File\r\n\r\n\r\n// Corvane Aircraft Database\r\n"
    "AC#1,450,\"Boeing 737-400\"\r\n"
    "AC#2,280,\"Dash 8-400\"\r\n\r\n\r\n"
    "// Corvane Airport Database\r\n"
    "KPDX,N45* 35.32',W122* 35.88',31,-,-\r\n"
    "KSEA,N47* 26.94',W122* 18.55',433,-,-\r\n\r\n\r\n"
    "// Corvane Flight Database\r\n"
    "AC#1,N301AS,100%,24Hr,IFR,06:00:00,07:10:00,330,F,101,KPDX,08:00:00,09:10:00,"
    "330,F,102,KSEA,\r\n"
    "AC#2,N401QX,50%,12Hr,IFR,10:00:00,10:50:00,160,R,2101,KSEA,12:00:00,12:50:00,"
    "160,R,2102,KPDX,\r\n";

} // namespace

TEST(CliExport, writesTheSelectionAsThePageDoes) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    CliRun run = Cli({"export", sample, dir.file("k.cvp"), "--icao", "k"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Done exporting 2 flights!\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(dir.read("k.cvp"), kSampleExport);

    run = Cli({"export", sample, dir.file("k.cvp"), "--icao", "K", "--repeat", "24 hours", "--percent",
               "more", "99", "--rules", "ifr", "--aircraft", "BOEING 737-400"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Done exporting 1 flights!\n");
    EXPECT_NE(dir.read("k.cvp").find("AC#1,N301AS,"), std::string::npos) << "replaced without a question";

    run = Cli({"export", sample, dir.file("none.cvp"), "--rules", "VFR"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Done exporting 0 flights!\n");
    run = Cli({"export", sample, dir.file("week.cvp"), "--repeat", "WEEK", "--percent", "equal", "75"});
    EXPECT_EQ(run.out, "Done exporting 1 flights!\n");
}

TEST(CliExport, refusesAsTheExportButtonDoes) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    const std::string out = dir.file("out.cvp");
    // Each refusal and its text is the export validation tests'; a comparison of no name is refused as
    // an empty comparison box is.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "Could not export project file: You must choose at least one of the checkboxes above.\n"},
        {{"--percent", "sometimes", "50"},
         "Choose comparison type: You must choose a percent comparison type form the list.\n"},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> args{"export", sample, out};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_EQ(run.err, message);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(std::ifstream(out).good()) << "nothing written";

    EXPECT_EQ(Cli({"export", sample, out, "--rules", "XFR"}).status, 2);
    EXPECT_EQ(Cli({"export", sample, out, "--percent", "less"}).status, 2);
    EXPECT_EQ(Cli({"export", sample, "--icao", "K"}).status, 2);
    EXPECT_EQ(Cli({"export", dir.file("missing.cvp"), out, "--icao", "K"}).status, 1);
    EXPECT_EQ(Cli({"export", sample, dir.file("no/such/folder/out.cvp"), "--icao", "K"}).status, 1);
    dir.write("empty.cvp", "// Corvane Project File\r\n");
    const CliRun empty = Cli({"export", dir.file("empty.cvp"), out, "--icao", "K"});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("no flights"), std::string::npos) << empty.err;
}

TEST(CliMerge, unknownAircraftAreReportedAndWritten) {
    TempDir dir;
    const std::string sample = test::CopyFixture(dir, "traffic/sample");
    const std::string import =
        dir.write("import.cvp", kSampleExport + std::string("AC#7,300,\"Mystery Jet\"\r\n"
                                                            "AC#7,MYST,50%,24Hr,IFR,06:00:00,"
                                                            "07:10:00,330,F,1,KSEA,\r\n"));
    CliRun run = Cli({"merge", sample, import, dir.file("merged.cvp")});
    ASSERT_EQ(run.status, 0) << run.err;
    // The merge itself is the import tests'.
    EXPECT_EQ(run.err.rfind("Associate unknown aircraft: The import file include 1 aircraft that was not", 0),
              0u)
        << run.err;
    EXPECT_NE(dir.read("merged.cvp").find("\"Mystery Jet\""), std::string::npos);

    // With the aircraft installed, it is known.
    dir.write("FS2002/fs2002.exe", "MZ");
    dir.write("FS2002/Aircraft/Myst/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Mystery Jet\r\n[Reference Speeds]\r\ncruise_speed=310\r\n");
    run = Cli({"merge", "--fs", dir.file("FS2002"), sample, import, dir.file("out")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(dir.read("out/Aircraft.txt").find("\"Mystery Jet\""), std::string::npos);

    EXPECT_EQ(Cli({"merge", sample, import}).status, 2);
    EXPECT_EQ(Cli({"merge", sample, dir.file("missing.cvp"), dir.file("x.cvp")}).status, 1);
    EXPECT_EQ(Cli({"merge", dir.file("nothing"), import, dir.file("x.cvp")}).status, 1);
}
