// The project reader on any bytes, in both modes. The input holds three parts separated by form
// feeds: the project file, an apt.dat to merge in normal mode, and the titles of installed aircraft.

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
    }
    {
        // Normal mode: aircraft that are not installed go to the MissingAircraftTable; then the
        // apt.dat merge with the codes read and the installed aircraft, as after a file is opened.
        TrafficDatabase db;
        InstallTitles(db, parts[2]);
        ReadProjectBytes(db, parts[0], ReadOptions{false, false, ""}, prompts, progress);
        CheckTables(db);
        ReadAptBytes(db, parts[1], LoadedCodes(db), progress);
        AddInstalledAircraft(db);
        CheckTables(db);
        Require(db.aircraftChoices().headCount() == 2, "aircraft combo has its two head entries");
    }
    Require(prompts.count() == 0, "reading bytes shows no message");
    return 0;
}
