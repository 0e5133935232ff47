#include "tools/trafficdecompiler.h"

#include "platform/paths.h"
#include "platform/textfile.h"
#include "tools/simulatorlocation.h"
#include "tools/trafficcontainer.h"

namespace corvane {

bool DecompileTraffic(const std::string& fsFolder, const std::string& workFolder, std::string* error) {
    const auto source = FindTrafficBgl(fsFolder);
    if (!source) {
        if (error)
            *error = "there is no traffic file '" + std::string(kSceneryFolder) + "/" +
                     std::string(kTrafficBglName) + "' in '" + fsFolder + "'";
        return false;
    }
    // The header first: a file that is not one of ours is refused without being read whole.
    if (const auto wrong = CheckTrafficFileHeader(*source)) {
        if (error) *error = "the traffic file '" + *source + "' is damaged: " + *wrong;
        return false;
    }
    const auto bytes = ReadFileBytes(*source, error);
    if (!bytes) return false;
    std::string problem;
    const auto texts = UnpackTrafficBgl(*bytes, &problem);
    if (!texts) {
        if (error) *error = "the traffic file '" + *source + "' is damaged: " + problem;
        return false;
    }

    // All three or none: a failure leaves the files that were there as they were.
    return ReplaceFileSet(workFolder,
                          {{"aircraft.txt", texts->aircraft},
                           {"airports.txt", texts->airports},
                           {"flightplans.txt", texts->flightPlans}},
                          error);
}

} // namespace corvane
