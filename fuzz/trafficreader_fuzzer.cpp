// The reader of the three text databases on any bytes. The input holds three parts separated by form
// feeds: aircraft.txt, airports.txt and flightplans.txt.

#include "fuzzinput.h"
#include "platform/progress.h"
#include "tablechecks.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    const auto parts = SplitInput(InputText(data, size), 3);
    CountingPrompts prompts;
    NullProgress progress;
    for (const bool importMode : {false, true}) {
        TrafficDatabase db;
        InstallTitles(db, "Boeing 737-400 Paint1\nCessna Skyhawk 172SP\nbeech baron 58");
        ReadTrafficBytes(db, parts[0], parts[1], parts[2], ReadOptions{importMode, true, ""}, prompts,
                         progress);
        CheckTables(db);
        if (importMode)
            Require(db.missingAircraftTable().isEmpty(), "import mode leaves no missing aircraft");
    }
    Require(prompts.count() == 0, "reading bytes shows no message");
    return 0;
}
