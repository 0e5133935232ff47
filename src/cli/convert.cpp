#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"

namespace corvane::cli {

int RunConvert(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments = Arguments::parse(args, {{"--apt", 1}, {"--fs", 1}}, &error);
    if (!arguments) return UsageError(context, "convert", error);
    if (arguments->positional().size() != 2) return UsageError(context, "convert", "needs INPUT and OUTPUT");
    if (!LoadInput(context, arguments->positional()[0], arguments->value("--apt"), arguments->value("--fs")))
        return kFileError;
    return WriteOutput(context, arguments->positional()[1]) ? kSuccess : kFileError;
}

} // namespace corvane::cli
