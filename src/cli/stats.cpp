#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"

namespace corvane::cli {

int RunStats(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments = Arguments::parse(args, {{"--apt", 1}, {"--fs", 1}}, &error);
    if (!arguments) return UsageError(context, "stats", error);
    if (arguments->positional().size() != 1) return UsageError(context, "stats", "needs INPUT");
    if (!LoadInput(context, arguments->positional()[0], arguments->value("--apt"), arguments->value("--fs")))
        return kFileError;
    const TrafficDatabase& db = context.db;
    context.out << "aircraft: " << db.aircraftTable().rowCount() << '\n'
                << "missing aircraft: " << db.missingAircraftTable().rowCount() << '\n'
                << "airports: " << db.airportTable().rowCount() << '\n'
                << "flights: " << db.flightTable().nonEmptyCount() << '\n';
    return kSuccess;
}

} // namespace corvane::cli
