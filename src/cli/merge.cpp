#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "projects/importcommand.h"
#include "projects/importproject.h"
#include "traffic/reader.h"

namespace corvane::cli {

int RunMerge(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments = Arguments::parse(args, {{"--fs", 1}}, &error);
    if (!arguments) return UsageError(context, "merge", error);
    if (arguments->positional().size() != 3)
        return UsageError(context, "merge", "needs BASE, IMPORT and OUTPUT");
    const std::string& base = arguments->positional()[0];
    const std::string& import = arguments->positional()[1];

    // BASE stands for the installed traffic, opened as the Import button opens it: every aircraft into
    // the AircraftTable, nothing merged yet.
    const std::string fsFolder = arguments->value("--fs");
    if (!fsFolder.empty() && !ScanInstalledAircraft(context, fsFolder)) return kFileError;
    if (!ReadInput(context, base, ReadOptions{true, false, ""})) return kFileError;
    if (!ImportProject(context.db, import, context.prompts, context.progress)) return kFileError;
    if (const int unknown = context.db.missingAircraftTable().rowCount(); unknown > 0)
        context.prompts.ask(AssociateUnknownAircraftPrompt(unknown));
    return WriteOutput(context, arguments->positional()[2]) ? kSuccess : kFileError;
}

} // namespace corvane::cli
