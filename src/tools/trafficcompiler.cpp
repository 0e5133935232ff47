#include "tools/trafficcompiler.h"

#include "platform/paths.h"
#include "platform/textfile.h"
#include "tools/simulatorlocation.h"
#include "tools/trafficcontainer.h"

namespace corvane {

namespace {

// The bytes of the database called name in folder, found without regard to case.
std::optional<std::string> ReadDatabase(const std::string& folder, const std::string& name,
                                        std::string* error) {
    const auto path = FindPath(folder + name);
    if (!path || !PathExists(*path, true)) {
        if (error) *error = "the text database '" + name + "' is missing in '" + folder + "'";
        return std::nullopt;
    }
    return ReadFileBytes(*path, error);
}

} // namespace

bool CompileTraffic(const std::string& workFolder, const std::string& fsFolder, std::string* error) {
    const std::string folder = WithSeparator(workFolder);
    auto aircraft = ReadDatabase(folder, "Aircraft.txt", error);
    if (!aircraft) return false;
    auto airports = ReadDatabase(folder, "Airports.txt", error);
    if (!airports) return false;
    auto flightPlans = ReadDatabase(folder, "FlightPlans.txt", error);
    if (!flightPlans) return false;

    // Only a traffic file of these tools may be replaced: the simulator's own file is worth keeping.
    if (const auto existing = FindTrafficBgl(fsFolder); existing && CheckTrafficFileHeader(*existing)) {
        if (error)
            *error = "'" + *existing +
                     "' is not a traffic file of these stand-in tools, so it is left as it is. " +
                     std::string(kRealToolsAdvice);
        return false;
    }
    const auto target = TrafficBglForWriting(fsFolder, error);
    if (!target) return false;
    const std::string bytes =
        PackTrafficBgl({std::move(*aircraft), std::move(*airports), std::move(*flightPlans)});
    return SaveFileAtomically(*target, bytes, error);
}

} // namespace corvane
