#include "checks/turnaround.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "cli/csv.h"
#include "timetable/timetableimport.h"
#include "traffic/numbers.h"
#include "traffic/reader.h"

namespace corvane::cli {

int RunTimetable(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments = Arguments::parse(
        args,
        {{"--zone", 1}, {"--percent", 1}, {"--fs", 1}, {"--apt", 1}, {"--turnaround", 1}, {"--tails", 1}},
        &error);
    if (!arguments) return UsageError(context, "timetable", error);
    if (arguments->positional().size() != 3)
        return UsageError(context, "timetable", "needs BASE, TIMETABLE and OUTPUT");
    TimetableOptions options;
    if (arguments->has("--zone")) {
        const auto zone = ParseTimetableZone(arguments->value("--zone"));
        if (!zone)
            return UsageError(context, "timetable", "--zone needs GMT or a whole hour from -12 to +12");
        options.zoneIndex = *zone;
    }
    if (arguments->has("--percent")) {
        const auto percent = ParseWholeNumber(arguments->value("--percent"), 1, 100);
        if (!percent) return UsageError(context, "timetable", "--percent needs a whole number from 1 to 100");
        options.percent = std::to_string(*percent);
    }
    if (arguments->has("--turnaround")) {
        const auto minutes = kTurnaroundMinutes.parse(arguments->value("--turnaround"));
        if (!minutes)
            return UsageError(context, "timetable", "--turnaround needs " + kTurnaroundMinutes.rangeText());
        options.turnaroundMinutes = *minutes;
    }
    if (arguments->has("--tails")) {
        options.tailPattern = arguments->value("--tails");
        if (options.tailPattern.empty() || options.tailPattern.find(',') != std::string::npos)
            return UsageError(context, "timetable", "--tails needs a pattern without commas");
    }
    const std::string& base = arguments->positional()[0];
    const std::string& path = arguments->positional()[1];

    // BASE as the program holds a traffic set: with --fs, aircraft not installed there are unknown.
    const std::string fsFolder = arguments->value("--fs");
    if (!fsFolder.empty() && !ScanInstalledAircraft(context, fsFolder)) return kFileError;
    if (!ReadInput(context, base, ReadOptions{fsFolder.empty(), false, ""})) return kFileError;
    const auto sources = ReadAirportSources(arguments->value("--apt", context.programFolder + "apt.dat"),
                                            context.programFolder + "iata.dat", context.prompts);
    if (!sources) return kFileError;
    const auto table = ReadTimetableFile(path, context.prompts);
    if (!table) return context.prompts.fileErrorShown() ? kFileError : kRefused;
    const TimetablePlan plan = PlanTimetable(context.db, *table, *sources, options);
    if (RefuseTimetable(plan, path, context.prompts)) return kRefused;

    for (const TimetableProblem& problem : plan.problems) {
        context.out << problem.row << ',' << problem.code << ',';
        WriteCsvField(context.out, problem.message);
        context.out << '\n';
    }
    context.err << PlanSummary(plan) << '\n';
    ApplyTimetablePlan(context.db, plan);
    if (!WriteOutput(context, arguments->positional()[2])) return kFileError;
    return plan.leftOut > 0 ? kProblemsFound : kSuccess;
}

} // namespace corvane::cli
