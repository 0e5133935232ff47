#include "tools/toolmain.h"

#include "platform/hostfs.h"
#include "platform/nativetoolrunner.h"
#include "platform/paths.h"
#include "platform/systemregistry.h"
#include "tools/simulatorlocation.h"
#include "traffic/text.h"

#include <algorithm>
#include <iostream>

namespace corvane {

namespace {

// Also how Corvane tells a stand-in from the real tools: it looks for this text in the program file.
constexpr const char* kStandInBanner =
    "Corvane stand-in traffic tool: it honours the command lines and files of the real one, but the "
    "simulator cannot read the traffic files it writes.";

} // namespace

int RunStandInTool(std::string_view name, int argc, char** argv,
                   std::initializer_list<std::string_view> switches, const ToolWork& work) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (std::none_of(switches.begin(), switches.end(),
                         [&](std::string_view s) { return EqualsIgnoringCase(s, argument); })) {
            std::cerr << name << ": unknown argument '" << argument << "'\n" << kStandInBanner << "\n";
            return 2;
        }
    }

    std::string error;
    // Where Wine has set up the prefix, its registry is asked through Wine: while a Wine program runs,
    // system.reg may still hold a value that Corvane has since changed.
    NativeToolRunner wine;
    const auto registry = SystemRegistry(&wine);
    const auto fsFolder = LocateSimulator(*registry, &error);
    if (!fsFolder) {
        std::cerr << name << ": " << error << "\n";
        return 1;
    }
    const std::string workFolder = WithSeparator(hostfs::CurrentFolder());
    if (!work(*fsFolder, workFolder, &error)) {
        std::cerr << name << ": " << error << "\n";
        return 1;
    }
    return 0;
}

} // namespace corvane
