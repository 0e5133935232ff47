#include "tools/trafficdecompiler.h"

#include "tools/simulatorlocation.h"
#include "tools/trafficcontainer.h"
#include "traffic/paths.h"
#include "traffic/textfile.h"

#include <unistd.h>
#include <vector>

namespace corvane {

bool DecompileTraffic(const std::string& fsFolder, const std::string& workFolder, std::string* error) {
    const auto source = FindTrafficBgl(fsFolder);
    if (!source) {
        if (error)
            *error = "there is no traffic file '" + std::string(kSceneryFolder) + "/" +
                     std::string(kTrafficBglName) + "' in '" + fsFolder + "'";
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

    const std::string folder = WithSeparator(workFolder);
    const std::pair<const char*, const std::string*> outputs[] = {{"aircraft.txt", &texts->aircraft},
                                                                  {"airports.txt", &texts->airports},
                                                                  {"flightplans.txt", &texts->flightPlans}};
    std::vector<std::string> written;
    for (const auto& [name, text] : outputs) {
        // An existing file of the same name in other case is replaced rather than joined by a second one.
        const std::string path = FindPath(folder + name).value_or(folder + name);
        if (!SaveFileAtomically(path, *text, error)) {
            for (const auto& done : written) ::unlink(done.c_str());
            return false;
        }
        written.push_back(path);
    }
    return true;
}

} // namespace corvane
