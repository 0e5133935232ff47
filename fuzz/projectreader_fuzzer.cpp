// The project reader on any bytes, in both modes, and its refusal of files that would read as nothing.
// The input holds three parts separated by form feeds: the project file, an apt.dat to merge in normal
// mode, and the titles of installed aircraft.

#include "fuzzinput.h"
#include "tablechecks.h"
#include "traffic/progress.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    const auto parts = SplitInput(InputText(data, size), 3);
    CountingPrompts prompts;
    NullProgress progress;
    {
        // Import mode: every aircraft goes into the AircraftTable; no apt.dat merge.
        TrafficDatabase db;
        ReadProjectBytes(db, parts[0], ReadOptions{true, true, ""}, prompts, progress);
        CheckTables(db);
        // A file refused for holding no line of a project would have loaded nothing.
        const auto problem = ProjectFileProblem(parts[0], "fuzz.cvp");
        if (problem && problem->find("is not a Corvane project file") != std::string::npos)
            Require(db.aircraftTable().rowCount() == 0 && db.airportTable().isEmpty() &&
                        db.flightTable().isEmpty(),
                    "a file with no line of a project loads nothing");
    }
    {
        // Normal mode: aircraft that are not installed go to the MissingAircraftTable; then the
        // apt.dat merge with the codes read and the installed aircraft, as after a file is opened.
        TrafficDatabase db;
        InstallTitles(db, parts[2]);
        ReadProjectBytes(db, parts[0], ReadOptions{false, false, ""}, prompts, progress);
        CheckTables(db);
        // The merge against the airports of the table gives what the merge with their codes gives.
        TrafficDatabase byCodes;
        InstallTitles(byCodes, parts[2]);
        ReadProjectBytes(byCodes, parts[0], ReadOptions{false, false, ""}, prompts, progress);
        ReadAptBytes(byCodes, parts[1], LoadedCodes(byCodes), progress);
        MergeAptBytes(db, parts[1], progress);
        Require(db.airportTable().rowCount() == byCodes.airportTable().rowCount() &&
                    db.airportCodes().entries() == byCodes.airportCodes().entries(),
                "the merge against the table is the merge with the codes");
        for (int row = 0; row < db.airportTable().rowCount(); ++row)
            Require(db.airportTable().row(row) == byCodes.airportTable().row(row),
                    "the merge against the table is the merge with the codes");
        AddInstalledAircraft(db);
        CheckTables(db);
        Require(db.aircraftChoices().headCount() == 2, "aircraft combo has its two head entries");
    }
    Require(prompts.count() == 0, "reading bytes shows no message");
    return 0;
}
