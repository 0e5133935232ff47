#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "filters/flightfilter.h"

namespace corvane::cli {

int RunFilterCommand(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments = Arguments::parse(args,
                                            {{"--apt", 1},
                                             {"--fs", 1},
                                             {"--delete", 0},
                                             {"--percent", 1},
                                             {"--shift", 1},
                                             {"--icao", 1},
                                             {"--aircraft", 1}},
                                            &error);
    if (!arguments) return UsageError(context, "filter", error);
    if (arguments->positional().size() != 2) return UsageError(context, "filter", "needs INPUT and OUTPUT");
    const int modes = arguments->has("--delete") + arguments->has("--percent") + arguments->has("--shift");
    if (modes != 1)
        return UsageError(context, "filter", "needs exactly one of --delete, --percent and --shift");
    FilterSelection selection;
    if (!ParseSelection(context, "filter", *arguments, selection)) return kRefused;

    Filter filter{FilterMode::Delete, {}};
    if (arguments->has("--percent"))
        filter = {FilterMode::Percent, arguments->value("--percent")};
    else if (arguments->has("--shift"))
        filter = {FilterMode::Time, arguments->value("--shift")};

    if (!LoadInput(context, arguments->positional()[0], arguments->value("--apt"), arguments->value("--fs")))
        return kFileError;
    if (const auto refused = CheckFilter(filter, selection, AircraftChosen(context, selection))) {
        context.prompts.ask(*refused);
        return kRefused;
    }
    context.out << FilterDoneText(RunFilter(context.db, filter, selection)) << '\n';
    return WriteOutput(context, arguments->positional()[1]) ? kSuccess : kFileError;
}

} // namespace corvane::cli
