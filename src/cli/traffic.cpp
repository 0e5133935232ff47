// corvane-cli open and compile: the installed traffic through the traffic tools of the program
// folder, by the same commands as the File menu's "Open FS2002 Traffic.bgl..." and "Compile".

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "environment/aircraftscanner.h"
#include "environment/fsfolder.h"
#include "environment/scratch.h"
#include "environment/tooltimelimit.h"
#include "platform/nativetoolrunner.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/systemregistry.h"
#include "platform/usersettings.h"
#include "projects/trafficbgl.h"
#include "traffic/reader.h"

namespace corvane::cli {

namespace {

// Sets up the session as start-up does: the simulator folder from --fs, else the program's setting,
// else the simulator's registry value (repaired through CheckFSPath; while a tool runs it names the
// folder chosen here), the program's time limit for the tools, then the installed aircraft. Returns an
// exit status when it cannot.
std::optional<int> StartSession(Context& context, const std::string& command, const Arguments& arguments,
                                Registry& registry, ToolRunner& tools) {
    // Read, never written: the program's setting stays the program's.
    const auto settings = UserSettingsForReading();
    std::string folder = arguments.value("--fs");
    if (folder.empty()) folder = settings->value(kFsPathSetting);
    if (folder.empty()) folder = RegisteredFSFolder(registry);
    if (folder.empty())
        return UsageError(context, command,
                          "no simulator folder: neither the program's setting nor the registry names one "
                          "(give --fs FOLDER)");
    Session& session = context.session;
    session.state.programFolder = context.programFolder;
    session.tools = &tools;
    session.registry = &registry;
    session.toolTimeLimit = std::chrono::minutes(kToolTimeLimitMinutes.read(*settings));
    if (!CheckFSPath(folder, registry, *settings, session.state))
        return UsageError(context, command, "''" + folder + "'' holds no fs2002.exe");
    if (!ScanInstalledAircraft(context, session.state.fsFolder)) return kFileError;
    return std::nullopt;
}

std::optional<Arguments> ParseTrafficCommand(Context& context, const std::string& command,
                                             const std::vector<std::string>& args, int* status) {
    std::string error;
    auto arguments = Arguments::parse(args, {{"--fs", 1}}, &error);
    if (!arguments) {
        *status = UsageError(context, command, error);
        return std::nullopt;
    }
    if (arguments->positional().size() != 1) {
        *status = UsageError(context, command, command == "open" ? "needs OUTPUT" : "needs INPUT");
        return std::nullopt;
    }
    return arguments;
}

} // namespace

int RunOpen(Context& context, const std::vector<std::string>& args) {
    int status = kSuccess;
    const auto arguments = ParseTrafficCommand(context, "open", args, &status);
    if (!arguments) return status;
    NativeToolRunner tools;
    const auto registry = SystemRegistry(&tools);
    if (const auto failed = StartSession(context, "open", *arguments, *registry, tools)) return *failed;
    const bool opened = OpenTrafficBgl(context.session, false);
    // As when the program ends: the decompiler's output does not outlive the command.
    CleanTempData(context.session.state.programFolder, true);
    if (!opened) return kFileError;
    return WriteOutput(context, arguments->positional()[0]) ? kSuccess : kFileError;
}

int RunCompile(Context& context, const std::vector<std::string>& args) {
    int status = kSuccess;
    const auto arguments = ParseTrafficCommand(context, "compile", args, &status);
    if (!arguments) return status;
    NativeToolRunner tools;
    const auto registry = SystemRegistry(&tools);
    if (const auto failed = StartSession(context, "compile", *arguments, *registry, tools)) return *failed;
    // As "&Open Project..." reads a project: aircraft that are not installed are unknown.
    const std::string& input = arguments->positional()[0];
    Session& session = context.session;
    if (!ReadInput(context, input, ReadOptions{false, true, session.aptPath()})) return kFileError;
    session.state.projectTag = input;
    if (!CompileTrafficBgl(session, CompileQuestion::Skip)) return kFileError;
    if (!session.lastBackup.empty()) context.out << "backup: " << session.lastBackup << '\n';
    return kSuccess;
}

} // namespace corvane::cli
