#include "checks/trafficcheck.h"
#include "checks/turnaround.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "cli/csv.h"

namespace corvane::cli {

int RunCheck(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments = Arguments::parse(args, {{"--apt", 1}, {"--fs", 1}, {"--turnaround", 1}}, &error);
    if (!arguments) return UsageError(context, "check", error);
    if (arguments->positional().size() != 1) return UsageError(context, "check", "needs INPUT");
    CheckOptions options;
    if (arguments->has("--turnaround")) {
        const auto minutes = kTurnaroundMinutes.parse(arguments->value("--turnaround"));
        if (!minutes)
            return UsageError(context, "check", "--turnaround needs " + kTurnaroundMinutes.rangeText());
        options.turnaroundMinutes = *minutes;
    }
    if (!LoadInput(context, arguments->positional()[0], arguments->value("--apt"), arguments->value("--fs")))
        return kFileError;

    // Printed flight by flight, so that a large set's problems are never all held at once.
    const CheckReport counts = CheckTraffic(context.db, options, [&](const CheckReport& flight) {
        for (const Problem& problem : flight.problems) {
            context.out << SeverityName(problem.severity()) << ',' << problem.flight << ',';
            if (problem.leg > 0) context.out << problem.leg;
            context.out << ',' << CheckName(problem.check) << ',';
            WriteCsvField(context.out, flight.message(problem));
            context.out << '\n';
        }
    });
    context.err << counts.errors << " errors, " << counts.warnings << " warnings\n";
    return counts.errors > 0 ? kProblemsFound : kSuccess;
}

} // namespace corvane::cli
