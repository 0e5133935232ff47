// TDecompiler.exe: "TDecompiler.exe /np", run in the program's TempData folder, decompiles the
// simulator's traffic file into aircraft.txt, airports.txt and flightplans.txt in the current folder.

#include "tools/toolmain.h"
#include "tools/trafficdecompiler.h"

int main(int argc, char** argv) {
    return corvane::RunStandInTool("TDecompiler", argc, argv, {"/np"}, corvane::DecompileTraffic);
}
