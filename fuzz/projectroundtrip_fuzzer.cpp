// Reading a project and writing it again, over and over, from any bytes. The first write turns the
// input into the writer's own layout, which may still lose lines on reading (an airport line whose six
// fields hold no "*" is no airport line), so the second write may drop flights; it then still writes
// the aircraft and airports that only those flights used, as the sections are written in turn. From a
// write that drops nothing on, the writer's output must be a fixed point.

#include "fuzzinput.h"
#include "platform/progress.h"
#include "tablechecks.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"

#include <string>

namespace {

using namespace corvane;

// Reads bytes as a project in import mode and writes the project file again.
std::string ReadAndWrite(std::string_view bytes, Prompts& prompts) {
    NullProgress progress;
    TrafficDatabase db;
    ReadProjectBytes(db, bytes, ReadOptions{true, true, ""}, prompts, progress);
    std::string written =
        ProjectFileBytes(FlightTable::Edit(db.flightTable()).lines(), false, db, prompts, progress);
    CheckTables(db);
    return written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CountingPrompts firstPrompts;
    std::string written = ReadAndWrite(InputText(data, size), firstPrompts);
    CountingPrompts secondPrompts;
    written = ReadAndWrite(written, secondPrompts);
    if (secondPrompts.count() > 0) {
        CountingPrompts thirdPrompts;
        written = ReadAndWrite(written, thirdPrompts);
        Require(thirdPrompts.count() == 0, "a write after one that dropped flights drops nothing");
    }
    CountingPrompts lastPrompts;
    Require(ReadAndWrite(written, lastPrompts) == written, "the writer's output is a fixed point");
    Require(lastPrompts.count() == 0, "re-reading a fixed point reports no unknown aircraft or airport");
    return 0;
}
