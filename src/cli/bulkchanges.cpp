// reroute and retime: the Flights menu's bulk schedule changes, each writing OUTPUT as convert does.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "editors/rerouteeditor.h"
#include "filters/reroute.h"
#include "filters/retime.h"
#include "traffic/text.h"

namespace corvane::cli {

namespace {

// A report's lines, CR LF joined, as lines of standard output.
void PrintReport(Context& context, const std::string& text) {
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto end = rest.find("\r\n");
        context.out << rest.substr(0, end) << '\n';
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    }
}

} // namespace

int RunReroute(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments = Arguments::parse(
        args, {{"--apt", 1}, {"--fs", 1}, {"--from", 1}, {"--to", 1}, {"--remove-old", 0}}, &error);
    if (!arguments) return UsageError(context, "reroute", error);
    if (arguments->positional().size() != 2) return UsageError(context, "reroute", "needs INPUT and OUTPUT");
    if (!arguments->has("--from") || !arguments->has("--to"))
        return UsageError(context, "reroute", "needs --from and --to");
    if (!LoadInput(context, arguments->positional()[0], arguments->value("--apt"), arguments->value("--fs")))
        return kFileError;
    const std::string from = Upper(arguments->value("--from")), to = Upper(arguments->value("--to"));
    if (const auto refused = CheckReroute(context.db, from, to)) {
        context.prompts.ask(*refused);
        return kRefused;
    }
    ReroutePlan plan = PlanReroute(context.db, from, to);
    const OldAirport old = ApplyReroute(context.db, plan, from, arguments->has("--remove-old"));
    PrintReport(context, RerouteDoneText(context.db, from, plan, old, plan.leftOut.size()));
    return WriteOutput(context, arguments->positional()[1]) ? kSuccess : kFileError;
}

int RunRetime(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments =
        Arguments::parse(args, {{"--apt", 1}, {"--fs", 1}, {"--icao", 1}, {"--aircraft", 1}}, &error);
    if (!arguments) return UsageError(context, "retime", error);
    if (arguments->positional().size() != 2) return UsageError(context, "retime", "needs INPUT and OUTPUT");
    FilterSelection selection;
    if (!ParseSelection(context, "retime", *arguments, selection)) return kRefused;
    if (!LoadInput(context, arguments->positional()[0], arguments->value("--apt"), arguments->value("--fs")))
        return kFileError;
    if (const auto refused = CheckSelection(selection, AircraftChosen(context, selection))) {
        context.prompts.ask(*refused);
        return kRefused;
    }
    RetimePlan plan = PlanRetime(context.db, selection);
    ApplyLineChanges(context.db.flightTable(), plan.changes);
    PrintReport(context, RetimeDoneText(plan.counts));
    return WriteOutput(context, arguments->positional()[1]) ? kSuccess : kFileError;
}

} // namespace corvane::cli
