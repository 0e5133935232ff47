#pragma once
// What every corvane-cli subcommand works with: the output streams, the prompts that print messages,
// and the traffic set it loads, changes and writes.

#include "cli/consoleprompts.h"
#include "platform/progress.h"
#include "projects/session.h"
#include "traffic/trafficdatabase.h"

#include <ostream>
#include <string>

namespace corvane {
struct FilterSelection;
struct ReadOptions;
} // namespace corvane

namespace corvane::cli {

// kProblemsFound: the traffic check found errors.
enum ExitCode { kSuccess = 0, kFileError = 1, kRefused = 2, kProblemsFound = 3 };

struct Context {
    Context(std::ostream& output, std::ostream& errors)
        : out(output)
        , err(errors)
        , prompts(errors) {}

    std::ostream& out;
    std::ostream& err;
    std::string programFolder;
    ConsolePrompts prompts;
    NullProgress progress;
    // What the program's own commands work on; open and compile run them on it.
    Session session{prompts, progress};
    TrafficDatabase& db = session.db;
};

// Reads INPUT, a project file or a folder of the three text databases. With fsFolder, the aircraft
// installed there are scanned first and INPUT is read as the program reads it (aircraft that are not
// installed are missing); without, every aircraft counts as available. Then the airport list at
// aptPath (when given) is merged and AddInstalledAircraft runs. False when INPUT cannot be read (the
// reason has been printed).
bool LoadInput(Context& context, const std::string& input, const std::string& aptPath,
               const std::string& fsFolder);

// Reads INPUT (a folder of the three text databases or a project file) with these options. False when
// it cannot be read (the reason has been printed).
bool ReadInput(Context& context, const std::string& input, const ReadOptions& options);

// Writes OUTPUT: a project file when its name ends in ".cvp" (any case), otherwise a folder (created
// when missing) that receives Aircraft.txt, Airports.txt and FlightPlans.txt. False when it cannot be
// written (the reason has been printed).
bool WriteOutput(Context& context, const std::string& output);

class Arguments;

// --icao PREFIX or --aircraft TITLE: the flights the filters take (every flight without either). False
// after printing the usage error when both are given.
bool ParseSelection(Context& context, const std::string& command, const Arguments& arguments,
                    FilterSelection& selection);
// Whether the loaded traffic has the aircraft the selection names, as a choice in the dialog's list.
bool AircraftChosen(const Context& context, const FilterSelection& selection);

// Prints "corvane-cli COMMAND: problem" and the command's usage; returns kRefused.
int UsageError(Context& context, const std::string& command, const std::string& problem);

} // namespace corvane::cli
