#include "cli/commands.h"
#include "cli/context.h"

namespace corvane::cli {

bool ScanInstalledAircraft(Context& context, const std::string& /*fsFolder*/) {
    context.err << "corvane-cli: --fs is not available yet: this build cannot scan installed aircraft\n";
    return false;
}

} // namespace corvane::cli
