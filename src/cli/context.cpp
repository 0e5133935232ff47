#include "cli/context.h"

#include "cli/arguments.h"
#include "cli/commands.h"
#include "filters/flightfilter.h"
#include "platform/hostfs.h"
#include "traffic/reader.h"
#include "traffic/text.h"
#include "traffic/writer.h"

namespace corvane::cli {

bool LoadInput(Context& context, const std::string& input, const std::string& aptPath,
               const std::string& fsFolder) {
    if (!fsFolder.empty() && !ScanInstalledAircraft(context, fsFolder)) return false;
    return ReadInput(context, input, ReadOptions{fsFolder.empty(), true, aptPath});
}

bool ReadInput(Context& context, const std::string& input, const ReadOptions& options) {
    if (hostfs::KindOf(input) == hostfs::Kind::Folder)
        return ReadTrafficData(context.db, input, options, context.prompts, context.progress);
    return ReadProjectFile(context.db, input, options, context.prompts, context.progress);
}

bool WriteOutput(Context& context, const std::string& output) {
    const bool project =
        output.size() >= 4 && EqualsIgnoringCase(std::string_view(output).substr(output.size() - 4), ".cvp");
    if (project) return WriteProjectFile(context.db, output, context.prompts, context.progress);
    int error = 0;
    if (!hostfs::MakeFolders(output, &error)) {
        ReportWriteError(context.prompts,
                         "Could not create the folder ''" + output + "''\r\n" + hostfs::ErrorText(error));
        return false;
    }
    return WriteTrafficFiles(context.db, output, context.prompts, context.progress);
}

bool ParseSelection(Context& context, const std::string& command, const Arguments& arguments,
                    FilterSelection& selection) {
    if (arguments.has("--icao") && arguments.has("--aircraft")) {
        UsageError(context, command, "--icao and --aircraft cannot be combined");
        return false;
    }
    selection = {};
    if (arguments.has("--icao"))
        selection = {FilterSelection::Kind::Airport, Upper(arguments.value("--icao")), {}};
    else if (arguments.has("--aircraft"))
        selection = {FilterSelection::Kind::Aircraft, {}, arguments.value("--aircraft")};
    return true;
}

bool AircraftChosen(const Context& context, const FilterSelection& selection) {
    return !selection.aircraftTitle.empty() &&
           context.db.aircraftTable().findByTitle(selection.aircraftTitle) >= 0;
}

int UsageError(Context& context, const std::string& command, const std::string& problem) {
    context.err << "corvane-cli " << command << ": " << problem << '\n'
                << "usage: corvane-cli " << Usage(command) << '\n';
    return kRefused;
}

} // namespace corvane::cli
