#include "cli/commands.h"
#include "cli/context.h"
#include "platform/hostfs.h"
#include "platform/paths.h"
#include "traffic/prompts.h"

#include <map>
#include <new>

namespace corvane::cli {

namespace {

struct Command {
    int (*run)(Context&, const std::vector<std::string>&);
    const char* usage;
    const char* summary;
};

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands{
        {"convert",
         {RunConvert, "convert [--apt FILE] [--fs FOLDER] INPUT OUTPUT",
          "read a project file or a folder of text databases and write it as OUTPUT (.cvp or a folder)"}},
        {"export",
         {RunExport,
          "export INPUT OUTPUT [--icao PREFIX] [--percent less|equal|more VALUE] [--aircraft TITLE] "
          "[--rules IFR|VFR] [--repeat TEXT]",
          "write the flights of INPUT that match every criterion given, with their aircraft and airports, "
          "as the project file OUTPUT; TEXT is \"2 hours\", \"4 hours\", \"6 hours\", \"8 hours\", "
          "\"12 hours\", \"24 hours\" or \"WEEK\""}},
        {"merge",
         {RunMerge, "merge [--fs FOLDER] BASE IMPORT OUTPUT",
          "merge the project file IMPORT into BASE as an import into the installed traffic does (with "
          "--fs, aircraft installed there are known; other new aircraft are unknown) and write OUTPUT "
          "(.cvp or a folder)"}},
        {"open",
         {RunOpen, "open [--fs FOLDER] OUTPUT",
          "open the installed traffic as \"Open FS2002 Traffic.bgl...\" does (the simulator folder from "
          "--fs, "
          "else the program's setting, else the simulator's registry value; the decompiler of this "
          "program's folder) and write it as OUTPUT (.cvp or a folder)"}},
        {"compile",
         {RunCompile, "compile [--fs FOLDER] INPUT",
          "compile INPUT (a project file or a folder of text databases) into the simulator as "
          "\"Compile FS2002 Traffic.bgl...\" does, without its question: back up traffic.bgl (prints "
          "\"backup: PATH\"), write the databases, run the compiler of this program's folder; exit 0 only "
          "when a new traffic.bgl is in place"}},
        {"stats",
         {RunStats, "stats [--apt FILE] [--fs FOLDER] INPUT",
          "count the aircraft, airports and flights of INPUT"}},
        {"filter",
         {RunFilterCommand,
          "filter INPUT OUTPUT (--delete | --percent VALUE | --shift HOURS) [--icao PREFIX | --aircraft "
          "TITLE]",
          "delete, set the traffic percent of, or shift by whole hours all flights, those touching an "
          "airport whose "
          "code starts with PREFIX, or those of one aircraft; then write OUTPUT as convert does"}},
        {"reroute",
         {RunReroute, "reroute INPUT OUTPUT --from CODE --to CODE [--remove-old] [--apt FILE] [--fs FOLDER]",
          "move every leg to or from the airport --from to the airport --to, which must be in the airport "
          "table (of INPUT, or of FILE); a flight with a leg between the two is left as it is and named; "
          "with --remove-old the old airport leaves the airport table once no flight flies there; then "
          "write OUTPUT as convert does"}},
        {"retime",
         {RunRetime, "retime INPUT OUTPUT [--icao PREFIX | --aircraft TITLE] [--apt FILE] [--fs FOLDER]",
          "set the arrival of every leg of all flights, those touching an airport whose code starts with "
          "PREFIX, or those of one aircraft, to its departure plus the flight time the legs editor "
          "proposes; legs without a proposal keep theirs and are counted; then write OUTPUT as convert "
          "does"}},
        {"check",
         {RunCheck, "check [--apt FILE] [--fs FOLDER] [--turnaround MINUTES] INPUT",
          "read INPUT as convert does and print the problems of its flights, one line each as CSV: "
          "severity,flight,leg,check,message (leg empty for the whole flight); the counts go to standard "
          "error. MINUTES: the least ground time between two legs (10 by default)"}},
        {"board",
         {RunBoard, "board [--apt FILE] [--fs FOLDER] --icao CODE [--zone Z] [--day D] INPUT",
          "read INPUT as convert does and print the departures and arrivals of the airport CODE as CSV "
          "after a header line: kind,day,time,flight,tail,aircraft,airport,percent,rules (the departures, "
          "then the arrivals, each in time order; day is blank for flights of every day, and a flight "
          "repeated every few hours has a line for each time it flies in a day). Standard error gets the "
          "movements in each hour of the day (0 to 23) on one line, the most aircraft on the ground in "
          "each hour on a second. Z: GMT (the default) or whole hours from -12 to +12; D: Sun ... Sat, or "
          "All (the default: the whole week, and the hours of its busiest day)"}},
        {"timetable",
         {RunTimetable,
          "timetable [--zone Z] [--percent P] [--fs FOLDER] [--apt FILE] [--turnaround MINUTES] "
          "[--tails PATTERN] BASE TIMETABLE OUTPUT",
          "add the flights of the airline timetable TIMETABLE (a CSV file) to BASE as File > \"Import "
          "Timetable...\" does and write OUTPUT; the problems are printed as CSV: row,problem,message, the "
          "counts go to standard error, and the exit status is 3 when legs were left out. Z: the zone of "
          "times without a zone column (GMT, -12 to +12); P: the traffic percent of rows without one (100); "
          "MINUTES: the least ground time when chaining legs without a tail (10); PATTERN: the tail of such "
          "a chain, {flight} for its first flight number, {n} for its number"}},
        {"eta",
         {RunEta, "eta [--apt FILE] --from CODE --to CODE --speed KNOTS",
          "print the whole seconds the legs editor gives a leg: great-circle distance at KNOTS plus 900 s; 0 "
          "when "
          "it cannot be computed (airports from FILE, by default the apt.dat beside the program)"}},
    };
    return commands;
}

void PrintHelp(std::ostream& out) {
    out << "corvane-cli: the command-line companion of Corvane, the FS2002 AI traffic "
           "editor\n\nsubcommands:\n";
    for (const auto& [name, command] : Commands())
        out << "  " << command.usage << "\n      " << command.summary << '\n';
    out << "\nINPUT and BASE are a project file (*.cvp) or a folder holding aircraft.txt, airports.txt and "
           "flightplans.txt.\n"
           "Messages are printed to standard error as \"TITLE: TEXT\". Exit status: 0 success, 1 a file "
           "could not\n"
           "be read or written, 2 wrong arguments or refused input, 3 check found errors or timetable left "
           "legs\n"
           "out.\n";
}

} // namespace

std::string Usage(const std::string& command) {
    const auto it = Commands().find(command);
    return it == Commands().end() ? std::string() : it->second.usage;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& programFolder) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(args.empty() ? err : out);
        return args.empty() ? kRefused : kSuccess;
    }
    const auto it = Commands().find(args[0]);
    if (it == Commands().end()) {
        err << "corvane-cli: unknown subcommand '" << args[0] << "' (see corvane-cli --help)\n";
        return kRefused;
    }
    Context context(out, err);
    context.programFolder = programFolder;
    // --fs names the simulator's folder, whatever the command: a file there is refused.
    for (std::size_t i = 1; i + 1 < args.size(); ++i)
        if (args[i] == "--fs" && PathExists(hostfs::HostPath(args[i + 1]), true))
            return UsageError(context, args[0],
                              "--fs needs the simulator's folder; ''" + args[i + 1] + "'' is a file");
    int status = kSuccess;
    try {
        status = it->second.run(context, std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const std::bad_alloc&) {
        context.prompts.message("Error reading file",
                                "There is not enough memory to go on: the command was stopped.",
                                Icon::Exclamation);
        return kFileError;
    }
    // A file that could not be read or written fails the command, even when it went on.
    if (status == kSuccess && context.prompts.fileErrorShown()) return kFileError;
    return status;
}

} // namespace corvane::cli
