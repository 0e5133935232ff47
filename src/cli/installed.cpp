#include "cli/commands.h"
#include "cli/context.h"
#include "environment/aircraftscanner.h"
#include "platform/paths.h"
#include "traffic/reader.h"

namespace corvane::cli {

bool ScanInstalledAircraft(Context& context, const std::string& fsFolder) {
    if (!PathExists(fsFolder, false)) {
        ReportReadError(context.prompts, "Could not open the simulator folder ''" + fsFolder + "''");
        return false;
    }
    const AircraftScanResult result =
        GetFSAircraft(WithSeparator(fsFolder), context.db.installedAircraftTable(), context.progress);
    if (result.overflow) {
        context.prompts.ask(*result.overflow);
        return false;
    }
    return true;
}

} // namespace corvane::cli
