#include "platform/textfile.h"
#include "recordingprogress.h"
#include "scriptedprompts.h"
#include "tempdir.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"

#include <gtest/gtest.h>

using namespace corvane;
using test::RecordingProgress;
using test::ScriptedPrompts;
using test::TempDir;

namespace {

const ReadOptions kImport{true, false, ""};
const ReadOptions kNormal{false, true, ""};

struct Fixture {
    TrafficDatabase db;
    ScriptedPrompts prompts;
    RecordingProgress progress;

    void project(std::string_view bytes, const ReadOptions& options) {
        ReadProjectBytes(db, bytes, options, prompts, progress);
    }
};

// Text of single bytes in UTF-16 (width 2) or UTF-32 (width 4), with or without its byte-order mark.
std::string Wide(std::string_view text, int width, bool bigEndian, bool mark) {
    std::string out;
    const auto put = [&](unsigned unit) {
        for (int i = 0; i < width; ++i)
            out += static_cast<char>((unit >> (8 * (bigEndian ? width - 1 - i : i))) & 0xFF);
    };
    if (mark) put(0xFEFF);
    for (const char c : text) put(static_cast<unsigned char>(c));
    return out;
}

const char* const kFlightLine =
    "AC#1,N1,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KBFI,10:00:00,11:00:00,100,F,2,KSEA,";

} // namespace

TEST(Reader, aircraftLinesAreTrimmedAndUnquoted) {
    Fixture f;
    f.project(" AC#4 , 180 ,  \"Cessna 172\"  \r\n"
              "AC#5,200,no quote here\r\n"
              "AC#6,90,\"Piper \"Cub\"\"\r\n",
              kImport);
    const AircraftTable& aircraft = f.db.aircraftTable();
    ASSERT_EQ(aircraft.rowCount(), 2);
    EXPECT_EQ(aircraft.row(0), (TextTable::Row{"AC#4", "180", "Cessna 172"}));
    EXPECT_EQ(aircraft.row(1), (TextTable::Row{"AC#6", "90", "Piper \"Cub\""}));
    EXPECT_EQ(f.db.aircraftChoices().entries(), (std::vector<std::string>{"Cessna 172", "Piper \"Cub\""}));
    const AircraftLine parsed = ParseAircraftLine("AC#9,1,\"");
    EXPECT_EQ(parsed.title, "") << "a lone quote leaves no title";
}

TEST(Reader, importModeDecidesWhereUninstalledAircraftGo) {
    const std::string lines = "AC#1,250,\"Boeing 737\"\r\nAC#2,300,\"Airbus A320\"\r\n";
    for (bool importMode : {false, true}) {
        Fixture f;
        f.db.installedAircraftTable().add({"boeing 737", "200", "200"});
        f.project(lines, ReadOptions{importMode, false, ""});
        EXPECT_EQ(f.db.installedAircraftTable().cell(0, InstalledAircraftTable::Speed), "250")
            << "the traffic set's speed overwrites the installed one";
        if (importMode) {
            EXPECT_EQ(f.db.aircraftTable().rowCount(), 2);
            EXPECT_EQ(f.db.missingAircraftTable().rowCount(), 0);
            EXPECT_EQ(f.db.aircraftChoices().indexOf("Airbus A320"), 0);
        } else {
            EXPECT_EQ(f.db.aircraftTable().rowCount(), 1);
            ASSERT_EQ(f.db.missingAircraftTable().rowCount(), 1);
            EXPECT_EQ(f.db.missingAircraftTable().row(0), (TextTable::Row{"Airbus A320", "300", "AC#2"}));
            EXPECT_EQ(f.db.aircraftChoices().indexOf("Airbus A320"), -1);
        }
    }
}

TEST(Reader, projectLinesAreClassifiedByContent) {
    EXPECT_EQ(ClassifyProjectLine("// Corvane Airport Database"), LineKind::Other);
    EXPECT_EQ(ClassifyProjectLine(""), LineKind::Other);
    EXPECT_EQ(ClassifyProjectLine("AC#1,250,\"Star* 100%\""), LineKind::Aircraft)
        << "a quote wins over * and %";
    EXPECT_EQ(ClassifyProjectLine("KSEA,N47* 26.94',W122* 18.55',433,Sea 100%,US"), LineKind::Airport);
    EXPECT_EQ(ClassifyProjectLine("AC#1,-,50%,24Hr,IFR,"), LineKind::Flight);
    // Quotes inside an airport name or a tail number do not turn the line into an aircraft line.
    EXPECT_EQ(ClassifyProjectLine("KSEA,N47* 26.94',W122* 18.55',433,The \"Sea\",US"), LineKind::Airport);
    EXPECT_EQ(ClassifyProjectLine("AC#1,N\"12,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,"),
              LineKind::Flight);
    // Nor does a "*" or "%" in a tail number or flight number, or a "*" in an aircraft's speed.
    for (const char* flight :
         {"AC#1,N*12,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,",
          "AC#1,N12,50%,24Hr,IFR,08:00:00,09:00:00,100,F,*1,KSEA,",
          "AC#1,\"*\",50%,24Hr,IFR,08:00:00,09:00:00,100,F,%\",KSEA,",
          "AC#1,%,100%,WEEK,VFR,1/08:00:00,1/09:00:00,100,R,*,KSEA,", "AC#1,*,50%,24Hr,IFR,"})
        EXPECT_EQ(ClassifyProjectLine(flight), LineKind::Flight) << flight;
    EXPECT_EQ(ClassifyProjectLine("AC#12,250*,\"Star\""), LineKind::Aircraft);
    EXPECT_EQ(ClassifyProjectLine("AC#12,250,\"50%, Star,\""), LineKind::Aircraft);
    for (const char* airport : {"KSEA,N47* 26.94',W122* 18.55',433,Sea 100%,",
                                "KSEA,N47* 1',W1* 1',4,\"50%\",", "AC#1,N47* 1',W1* 1',4,\"Star\",\"X\""})
        EXPECT_EQ(ClassifyProjectLine(airport), LineKind::Airport) << airport;
    // Lines of other shapes still go by their markers, as they always did.
    EXPECT_EQ(ClassifyProjectLine("AC#1,N12,50,24Hr,IFR,08:00:00,09:00:00,100,F,*1,KSEA,"),
              LineKind::Airport);
    EXPECT_EQ(ClassifyProjectLine("AC#1,\"N\",50,24Hr,IFR,08:00:00,09:00:00,100,F,1%,KSEA,"),
              LineKind::Flight);
    EXPECT_EQ(ClassifyProjectLine("AC#1 , 250 , \"Star*\" "), LineKind::Aircraft);

    Fixture f;
    f.project("// Corvane Project File\r\n\r\n"
              "KBFI,N47* 31.8',W122* 18.1',21,Boeing Field,United States\r\n"
              "AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KBFI,\r\n"
              "junk without markers\r\n",
              kImport);
    EXPECT_EQ(f.db.airportTable().rowCount(), 1);
    EXPECT_EQ(f.db.airportTable().row(0),
              (TextTable::Row{"KBFI", "N47* 31.8'", "W122* 18.1'", "21", "Boeing Field", "United States"}));
    EXPECT_EQ(f.db.airportCodes().entries(), std::vector<std::string>{"KBFI"});
    ASSERT_EQ(f.db.flightTable().count(), 1);
    EXPECT_EQ(f.db.flightTable().at(0), "AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KBFI,");
}

TEST(Reader, trafficFilesWithProgress) {
    TempDir dir;
    dir.write("TempData/Aircraft.txt", "AC#1,250,\"Boeing 737\"\r\n");
    dir.write("TempData/AIRPORTS.TXT", "KSEA,N47* 26.94',W122* 18.55',433,-,-\r\nno marker\r\n");
    dir.write("TempData/FlightPlans.txt", "");
    Fixture f;
    ASSERT_TRUE(ReadTrafficData(f.db, dir.file("TempData"), kNormal, f.prompts, f.progress));
    EXPECT_EQ(f.db.aircraftTable().rowCount(), 0);
    EXPECT_EQ(f.db.missingAircraftTable().rowCount(), 1);
    EXPECT_TRUE(f.db.flightTable().isEmpty());
    EXPECT_EQ(f.db.aircraftChoices().count(), 2) << "AddInstalledAircraft adds the head entries";
    std::vector<std::string> titles;
    for (const auto& e : f.progress.events())
        if (e.rfind("begin:", 0) == 0 || e.rfind("title:", 0) == 0) titles.push_back(e);
    EXPECT_EQ(titles,
              (std::vector<std::string>{"begin:Open Corvane Data", "title:Open FS2002 Aircraft Data",
                                        "title:Open FS2002 Airport Data", "title:Open FS2002 Flights Data"}));
    // 21 of the aircraft file's 23 bytes are line content: 91.3 % shows as 91 %.
    EXPECT_EQ(f.progress.events().at(2), "91 %");
    EXPECT_EQ(f.progress.percentages().back(), "99 %");
    EXPECT_EQ(f.progress.events().back(), "end");
    EXPECT_EQ(f.progress.depth(), 0);
}

TEST(Reader, missingFileLoadsNothing) {
    TempDir dir;
    dir.write("TempData/aircraft.txt", "AC#1,250,\"Boeing 737\"\r\n");
    dir.write("TempData/airports.txt", "KSEA,N47* 26.94',W122* 18.55',433,-,-\r\n");
    Fixture f;
    f.prompts.expect("Error reading file");
    EXPECT_FALSE(ReadTrafficData(f.db, dir.file("TempData"), kNormal, f.prompts, f.progress));
    EXPECT_NE(f.prompts.shown().at(0).text.find("flightplans.txt''"), std::string::npos)
        << f.prompts.shown()[0].text;
    EXPECT_EQ(f.db.aircraftTable().rowCount() + f.db.missingAircraftTable().rowCount(), 0);
    EXPECT_EQ(f.db.airportTable().rowCount(), 0);
    EXPECT_TRUE(f.db.airportCodes().isEmpty());

    f.prompts.expect("Error reading file");
    EXPECT_FALSE(ReadProjectFile(f.db, dir.file("nothing.cvp"), kNormal, f.prompts, f.progress));
    EXPECT_NE(f.prompts.shown().at(1).text.find("''" + dir.file("nothing.cvp") + "''"), std::string::npos);
}

// A rename that fails halfway through a set (a file another program holds) leaves the rest of the new
// set waiting beside its note; no read takes half an old and half a new set.
TEST(Reader, aSetHalfReplacedIsFinishedBeforeItIsRead) {
    TempDir dir;
    const std::string folder = dir.mkdir("TempData");
    dir.write("TempData/Aircraft.txt", "AC#1,250,\"Old Jet\"\r\n");
    dir.write("TempData/Airports.txt", "KSEA,N47* 26.94',W122* 18.55',433,-,-\r\n");
    dir.write("TempData/FlightPlans.txt", "");
    const std::vector<FileInSet> set{{"Aircraft.txt", "AC#1,300,\"New Jet\"\r\n"},
                                     {"Airports.txt", "KBFI,N47* 31.8',W122* 18.1',21,-,-\r\n"},
                                     {"FlightPlans.txt", ""}};
    std::string error;
    SetFileSetRenameFailureForTesting(0);
    EXPECT_FALSE(ReplaceFileSet(folder, set, &error));
    EXPECT_EQ(dir.read("TempData/Aircraft.txt"), "AC#1,250,\"Old Jet\"\r\n") << "the first rename failed";
    EXPECT_EQ(test::NamesIn(folder).size(), 3u);

    SetFileSetRenameFailureForTesting(1);
    EXPECT_FALSE(ReplaceFileSet(folder, set, &error));
    EXPECT_NE(error.find("Airports.txt''"), std::string::npos) << error;
    Fixture f;
    f.prompts.expect("Error reading file");
    EXPECT_FALSE(ReadTrafficData(f.db, folder, kNormal, f.prompts, f.progress)) << "renames still fail";
    EXPECT_EQ(f.db.airportTable().rowCount(), 0);
    EXPECT_FALSE(ReplaceFileSet(folder, set, &error)) << "no new set goes over half of one";

    SetFileSetRenameFailureForTesting(std::nullopt);
    ASSERT_TRUE(ReadTrafficData(f.db, folder, kNormal, f.prompts, f.progress));
    EXPECT_EQ(f.db.airportTable().cell(0, AirportTable::Icao), "KBFI");
    EXPECT_EQ(f.db.missingAircraftTable().cell(0, MissingAircraftTable::Title), "New Jet");
    EXPECT_EQ(test::NamesIn(folder).size(), 3u) << "the note and the waiting files are gone";
}

TEST(Reader, emptyInputEndsWithHundredPercent) {
    TempDir dir;
    const std::string path = dir.write("empty.cvp", "");
    Fixture f;
    ASSERT_TRUE(ReadProjectFile(f.db, path, kNormal, f.prompts, f.progress));
    EXPECT_EQ(f.progress.events(),
              (std::vector<std::string>{"begin:Open Corvane Project Data", "99 %", "end"}));
    EXPECT_TRUE(f.db.flightTable().isEmpty());
}

TEST(Reader, anyBytesAtAll) {
    // Garbage, NUL bytes, a huge line without line end: no crash, and what is read is bounded.
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 37) & 0xFF);
    garbage += std::string(2'000'000, ',') + "%\"*";
    Fixture f;
    f.project(garbage, kImport);
    f.project(std::string("\0\0\"\0*,%", 7), kImport);
    ReadTrafficBytes(f.db, garbage, garbage, garbage, kImport, f.prompts, f.progress);
    EXPECT_EQ(f.progress.depth(), 0);
}

TEST(Reader, loneCrLineEndsAndAByteOrderMark) {
    // Lone CR line ends (old Mac files) end lines as CR LF does; a UTF-8 byte-order mark is no part of
    // the first aircraft's number, so that its flights are written with it.
    TempDir dir;
    dir.write("TempData/aircraft.txt", "\xEF\xBB\xBF"
                                       "AC#1,250,\"Boeing 737\"\rAC#2,300,\"Airbus A320\"\r");
    dir.write("TempData/airports.txt",
              "\xEF\xBB\xBF"
              "KSEA,N47* 26.94',W122* 18.55',433,-,-\rKBFI,N47* 31.8',W122* 18.1',21,-,-");
    dir.write("TempData/flightplans.txt", std::string(kFlightLine) + "\r\r" + kFlightLine + "\r");
    Fixture f;
    ASSERT_TRUE(ReadTrafficData(f.db, dir.file("TempData"), kImport, f.prompts, f.progress));
    ASSERT_EQ(f.db.aircraftTable().rowCount(), 2);
    EXPECT_EQ(f.db.aircraftTable().row(0), (TextTable::Row{"AC#1", "250", "Boeing 737"}));
    EXPECT_EQ(f.db.airportTable().cell(0, AirportTable::Icao), "KSEA");
    EXPECT_EQ(f.db.airportTable().rowCount(), 2);
    EXPECT_EQ(f.db.flightTable().count(), 2);
    const std::string written =
        ProjectFileBytes(FlightTable::Edit(f.db.flightTable()).lines(), false, f.db, f.prompts, f.progress);
    EXPECT_EQ(f.db.flightTable().nonEmptyCount(), 2) << written;

    // A project file the same: written back, it reads as the same project.
    std::string lonely = written;
    for (std::size_t at = 0; (at = lonely.find("\r\n", at)) != std::string::npos;) lonely.erase(at + 1, 1);
    Fixture again;
    again.project("\xEF\xBB\xBF" + lonely, kImport);
    EXPECT_EQ(ProjectFileBytes(FlightTable::Edit(again.db.flightTable()).lines(), false, again.db,
                               again.prompts, again.progress),
              written);
}

TEST(Reader, inputThatWouldReadAsNothingIsRefused) {
    // Text in another encoding, or with no line of a project, is refused and loads nothing: the tables
    // keep what they held, and nothing is merged or added.
    const std::string project =
        "// Corvane Project File\r\nAC#1,250,\"Jet\"\r\n" + std::string(kFlightLine) + "\r\n";
    const std::pair<std::string, const char*> refused[] = {
        {Wide(project, 2, false, true), "is text in UTF-16 (little-endian)."},
        {Wide(project, 2, true, false), "is text in UTF-16 (big-endian)."},
        {Wide(project, 4, false, false), "is text in UTF-32 (little-endian)."},
        {Wide(project, 4, true, true), "is text in UTF-32 (big-endian)."},
        {std::string("AC#1") + '\0' + '\0' + "\x01,250,\"Jet\"", "holds NUL bytes"},
        {"Hello\r\nWorld\r\n", "is not a Corvane project file"},
    };
    TempDir dir;
    for (const auto& [bytes, said] : refused) {
        Fixture f;
        f.db.airportTable().add({"KBFI", "N47* 31.8'", "W122* 18.1'", "21", "-", "-"});
        const std::string path = dir.write("in.cvp", bytes);
        f.prompts.expect("Error reading file");
        ASSERT_FALSE(ReadProjectFile(f.db, path, kNormal, f.prompts, f.progress)) << said;
        const std::string& text = f.prompts.shown().back().text;
        EXPECT_EQ(text.rfind("''" + path + "'' ", 0), 0u) << text;
        EXPECT_NE(text.find(said), std::string::npos) << text;
        EXPECT_EQ(f.db.airportTable().rowCount(), 1);
        EXPECT_EQ(f.db.aircraftChoices().count(), 0) << "AddInstalledAircraft did not run";
    }
    // Read as empty: a file of nothing, of blank lines, or of the layout of empty tables.
    Fixture empty;
    const std::string layout = ProjectFileBytes(FlightTable::Edit(empty.db.flightTable()).lines(), false,
                                                empty.db, empty.prompts, empty.progress);
    for (const std::string& bytes : {std::string(), std::string("\r\n  \r\n"), layout})
        EXPECT_TRUE(
            ReadProjectFile(empty.db, dir.write("empty.cvp", bytes), kNormal, empty.prompts, empty.progress));

    // The three databases: each is refused for its own encoding or kind of line.
    dir.write("TempData/aircraft.txt", Wide("AC#1,250,\"Jet\"\r\n", 2, false, true));
    dir.write("TempData/airports.txt", "KBFI,N47* 31.8',W122* 18.1',21,-,-\r\n");
    dir.write("TempData/flightplans.txt", "// no flights here\r\n");
    Fixture f;
    f.prompts.expect("Error reading file").expect("Error reading file");
    EXPECT_FALSE(ReadTrafficData(f.db, dir.file("TempData"), kNormal, f.prompts, f.progress));
    EXPECT_NE(f.prompts.shown().at(0).text.find("aircraft.txt'' is text in UTF-16 (little-endian)."),
              std::string::npos)
        << f.prompts.shown().at(0).text;
    dir.write("TempData/aircraft.txt", "AC#1,250,\"Jet\"\r\n");
    EXPECT_FALSE(ReadTrafficData(f.db, dir.file("TempData"), kNormal, f.prompts, f.progress));
    EXPECT_NE(f.prompts.shown().at(1).text.find("flightplans.txt'' is not a database of the traffic tools"),
              std::string::npos)
        << f.prompts.shown().at(1).text;
    EXPECT_EQ(f.db.airportTable().rowCount(), 0);
}
