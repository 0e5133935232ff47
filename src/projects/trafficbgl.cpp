#include "projects/trafficbgl.h"

#include "environment/aircraftscanner.h"
#include "environment/scratch.h"
#include "environment/toolregistration.h"
#include "platform/hostfs.h"
#include "platform/paths.h"
#include "platform/toolrunner.h"
#include "projects/projectcommands.h"
#include "projects/session.h"
#include "traffic/changejournal.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/writer.h"

#include <optional>

namespace corvane {

namespace {

constexpr const char* kDecompiler = "TDecompiler.exe";
constexpr const char* kCompiler = "TCompiler.exe";

std::string ToolPath(const Session& session, const char* name) {
    const std::string path = session.state.programFolder + name;
    return FindPath(path).value_or(path);
}

// Runs a tool, showing its wait in the progress window. The tool's files are what count, not its exit
// status: only a tool that could not be started, did not end normally (killed by a signal, crashed) or
// was stopped (cancelled, or past its time limit) is a failure here; the callers then look for the
// files it must leave. Returns what went wrong, or nothing.
struct ToolRun {
    std::optional<std::string> failure;
    // The exit status and output of a tool that ended normally but with a non-zero status, for the
    // message when its files are missing.
    std::string remark;
    bool cancelled = false;
};

ToolRun RunTool(Session& session, const char* name, const std::vector<std::string>& arguments,
                const std::string& folder, ToolRunOptions options) {
    if (!session.tools || !session.registry)
        return {"No tool runner is available to start ''" + std::string(name) + "''.", {}};
    // The tool works on the simulator folder Corvane backs up and reads, whatever the registry named.
    ToolRegistration registration(*session.registry, session.state.fsFolder);
    if (!registration.ready()) return {registration.refusal(), {}};
    options.progress = &session.progress;
    options.timeLimit = session.toolTimeLimit;
    const ToolResult result = session.tools->run(ToolPath(session, name), arguments, folder, options);
    if (const std::string failed = registration.restore(); !failed.empty())
        session.prompts.message("Error restoring FS2002 path", failed, Icon::Exclamation);
    std::string output;
    if (!result.output.empty()) output = "\r\n" + result.output.substr(0, 500);
    if (!result.started)
        return {"ShellAndWait error: ''" + std::string(name) + "'' could not be started.\r\n" + result.error,
                {}};
    switch (result.stop) {
    case ToolStop::Cancelled:
        return {"''" + std::string(name) + "'' was cancelled.", {}, true};
    case ToolStop::TimedOut:
        return {"''" + std::string(name) + "'' did not end within " + TimeLimitText(options.timeLimit) +
                    " and was stopped." + output,
                {}};
    case ToolStop::None:
        break;
    }
    if (result.exitCode < 0)
        return {"''" + std::string(name) + "'' did not end normally.\r\n" + result.error + output, {}};
    if (result.exitCode == 0) return {std::nullopt, output};
    return {std::nullopt, "\r\n''" + std::string(name) + "'' ended with exit status " +
                              std::to_string(result.exitCode) + "." + output};
}

bool Decompile(Session& session) {
    const std::string& program = session.state.programFolder;
    CleanTempData(program, true);
    MakeTempDataFolder(program);
    const std::string tempData = program + kTempDataFolder;
    ToolRunOptions options;
    options.title = "Decompiling Traffic.bgl...";
    options.cancellable = true;
    const ToolRun run = RunTool(session, kDecompiler, {"/np"}, tempData, options);
    if (run.cancelled) {
        // The user's own choice: nothing to report, and the open data stay as they were.
        CleanTempData(program, true);
        return false;
    }
    std::optional<std::string> problem = run.failure;
    if (!problem) {
        for (const char* name : {"aircraft.txt", "airports.txt", "flightplans.txt"}) {
            if (!PathExists(tempData + "/" + name, true)) {
                problem = "''" + std::string(kDecompiler) + "'' did not leave ''" + name + "'' in ''" +
                          tempData + "''." + run.remark;
                break;
            }
        }
    }
    if (problem) {
        CleanTempData(program, true);
        session.prompts.message("Error opening Traffic.bgl", *problem + "\r\nTraffic.bgl was not opened.",
                                Icon::Exclamation);
        return false;
    }
    session.state.decompileNeeded = false;
    return true;
}

} // namespace

bool OpenTrafficBgl(Session& session, bool importMode, bool askFirst) {
    if (askFirst && AskToSave(session) == SaveAnswer::Cancelled) return false;
    // Read beside the open data: a failed decompile or read leaves them as they were.
    TrafficDatabase staged;
    session.db.copyInstalledAircraftTo(staged);
    ResetFSAircraftSpeeds(staged.installedAircraftTable());

    const std::string tempData = session.state.programFolder + kTempDataFolder;
    bool loaded = !session.state.decompileNeeded || Decompile(session);
    if (loaded) {
        const ReadOptions options{importMode, !importMode, session.aptPath()};
        loaded = ReadTrafficData(staged, tempData, options, session.prompts, session.progress);
        if (!loaded)
            session.state.decompileNeeded = true; // what TempData holds is no good: decompile next time
    }
    if (!loaded) return false;
    ClearData(session, true);
    session.db.adopt(staged);
    session.db.journal().clear();
    session.state.projectTag = std::string(kProjectFs);
    if (!importMode) session.editor->showFirstAirport();
    return true;
}

bool CompileTrafficBgl(Session& session, CompileQuestion question) {
    if (session.db.flightTable().isEmpty()) return false;
    if (question == CompileQuestion::Ask && session.state.projectTag != kProjectFs &&
        !session.prompts.question("WARNING",
                                  "When compiling a project file, the old Traffic.bgl will be\r\n"
                                  "saved and replaced with the AI database in this project!\r\n\r\n"
                                  "Are you sure you want to replace your old Traffic.bgl?",
                                  Icon::Exclamation, Answer::No))
        return false;
    session.state.decompileNeeded = true;
    session.editor->storeFlight();
    const std::string& fsFolder = session.state.fsFolder;
    MakeFolder(BackupFolderPath(fsFolder));
    // No backup, no compile: the old traffic file must be safe before anything can replace it.
    const Backup backup = BackupTrafficBgl(fsFolder);
    if (backup.status == Backup::Status::Failed) {
        session.prompts.message("Error compiling Traffic.bgl",
                                "The backup ''" + backup.path + "'' could not be made:\r\n" + backup.error +
                                    "\r\nTraffic.bgl was not replaced.",
                                Icon::Exclamation);
        return false;
    }
    session.lastBackup = backup.path;

    const std::string& program = session.state.programFolder;
    CleanTempData(program, false);
    bool written = false;
    {
        // The renumbering belongs to the step that made the data so (see Write).
        StepScope step(session.db.journal(), "", true);
        written = WriteTrafficFiles(session.db, program, session.prompts, session.progress);
    }
    session.editor->reloadFlight();
    std::optional<std::string> problem;
    bool replaced = false;
    if (!written) {
        problem = "The text databases for the compiler could not be written.";
    } else {
        const std::string target = TrafficBglPath(fsFolder);
        const hostfs::FileStamp before = hostfs::StampOf(target);
        ToolRunOptions options;
        options.title = "Compiling Traffic.bgl...";
        options.note =
            "A compile cannot be cancelled once the compiler runs: stopped halfway, it would leave "
            "a damaged Traffic.bgl.";
        const ToolRun run = RunTool(session, kCompiler, {"/ep", "/np"}, program, options);
        const hostfs::FileStamp after = hostfs::StampOf(TrafficBglPath(fsFolder));
        replaced = after.exists && !(after == before);
        problem = run.failure;
        if (!problem && !replaced)
            problem =
                "''" + std::string(kCompiler) + "'' did not build a new ''" + target + "''." + run.remark;
    }
    CleanTempData(program, false);
    if (problem) {
        std::string text = *problem;
        text += replaced ? "\r\nTraffic.bgl may be incomplete." : "\r\nTraffic.bgl was not replaced.";
        if (!backup.path.empty()) text += "\r\nThe backup ''" + backup.path + "'' is kept.";
        session.prompts.message("Error compiling Traffic.bgl", text, Icon::Exclamation);
        return false;
    }
    // The installed traffic now holds the data: when it is what is open, they are saved.
    if (session.state.projectTag == kProjectFs) session.db.journal().markClean();
    return true;
}

} // namespace corvane
