#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "editors/legseditor.h"
#include "platform/textfile.h"
#include "traffic/aptdata.h"
#include "traffic/reader.h"

namespace corvane::cli {

int RunEta(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments =
        Arguments::parse(args, {{"--apt", 1}, {"--from", 1}, {"--to", 1}, {"--speed", 1}}, &error);
    if (!arguments) return UsageError(context, "eta", error);
    if (!arguments->positional().empty() || !arguments->has("--from") || !arguments->has("--to") ||
        !arguments->has("--speed"))
        return UsageError(context, "eta", "needs --from, --to and --speed");
    const std::string aptPath = arguments->value("--apt", context.programFolder + "apt.dat");
    const auto bytes = ReadFileBytes(aptPath, &error);
    if (!bytes) {
        ReportReadError(context.prompts, error);
        return kFileError;
    }
    ReadAptBytes(context.db, *bytes, {}, context.progress);

    // The leg on screen of the legs editor: from the first row's airport to the second's.
    FlightHeader header;
    header.aircraft = "corvane-cli eta";
    context.db.aircraftTable().add({"AC#1", arguments->value("--speed"), header.aircraft});
    LegsEditor legs(context.db, header, context.prompts);
    legs.setRows({LegRow{arguments->value("--from"), "00:00:00", "00:00:00", "100", "1", "F", "", ""},
                  LegRow{arguments->value("--to"), "00:00:00", "00:00:00", "100", "2", "F", "", ""}});
    context.out << legs.LegFlightSeconds() << '\n';
    return kSuccess;
}

} // namespace corvane::cli
