// TCompiler.exe: "TCompiler.exe /ep /np", run in the program folder, compiles Aircraft.txt,
// Airports.txt and FlightPlans.txt of the current folder into the simulator's traffic file.

#include "tools/toolmain.h"
#include "tools/trafficcompiler.h"

int main(int argc, char** argv) {
    return corvane::RunStandInTool(
        "TCompiler", argc, argv, {"/ep", "/np"},
        [](const std::string& fsFolder, const std::string& workFolder, std::string* error) {
            return corvane::CompileTraffic(workFolder, fsFolder, error);
        });
}
