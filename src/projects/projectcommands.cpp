#include "projects/projectcommands.h"

#include "environment/aircraftscanner.h"
#include "environment/programstate.h"
#include "projects/session.h"
#include "traffic/aptdata.h"
#include "traffic/changejournal.h"
#include "traffic/fields.h"
#include "traffic/paths.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/writer.h"

namespace corvane {

namespace {

bool NamesExistingFile(const std::string& projectTag) {
    return projectTag != kProjectNew && projectTag != kProjectFs && PathExists(projectTag, true);
}

bool SaveAsDialog(Session& session) {
    std::string initial;
    if (NamesExistingFile(session.state.projectTag)) {
        initial = LastField(session.state.projectTag, kSeparator);
        initial.resize(initial.size() >= 4 ? initial.size() - 4 : 0);
    }
    auto chosen =
        session.prompts.file({FileRequest::Mode::Save, "Save Corvane Project as", kProjectFilter, initial});
    if (!chosen || chosen->empty()) return false;
    // A name typed without any extension gets the project extension.
    if (LastField(*chosen, kSeparator).find('.') == std::string::npos) *chosen += ".cvp";
    if (PathExists(*chosen, true) &&
        !session.prompts.question("Overwrite existing file",
                                  *chosen + " does already exist.\r\nDo you want to replace this file?",
                                  Icon::Exclamation, Answer::No))
        return false;
    if (!Write(session, *chosen)) return false;
    session.state.projectTag = *chosen;
    return true;
}

bool SaveExisting(Session& session) {
    return Write(session, session.state.projectTag);
}

} // namespace

bool Write(Session& session, const std::string& path) {
    bool written = false;
    {
        // The writer renumbers the aircraft and drops what it cannot write: that belongs to the step
        // that made the data so, and is undone with it.
        StepScope step(session.db.journal(), "", true);
        written = WriteProjectFile(session.db, path, session.prompts, session.progress);
    }
    if (written) session.db.journal().markClean();
    session.editor->reloadFlight();
    return written;
}

bool HasUnsavedChanges(const Session& session) {
    return !session.db.flightTable().isEmpty() && !session.db.journal().isClean();
}

bool SaveProject(Session& session, SaveMode mode) {
    if (session.db.flightTable().isEmpty()) return false;
    session.editor->storeFlight();
    if (mode == SaveMode::Prompt) return AskToSave(session) == SaveAnswer::Saved;
    if (mode != SaveMode::SaveAs && NamesExistingFile(session.state.projectTag)) return SaveExisting(session);
    return SaveAsDialog(session);
}

SaveAnswer AskToSave(Session& session) {
    if (session.db.flightTable().isEmpty()) return SaveAnswer::NotSaved;
    session.editor->storeFlight();
    if (!HasUnsavedChanges(session)) return SaveAnswer::NotSaved;
    switch (session.prompts.questionWithCancel("Save Project",
                                               "Do you want to save any changes to your current project?",
                                               Icon::Question, Answer::Yes)) {
    case Answer::Yes:
        break;
    case Answer::Cancel:
        return SaveAnswer::Cancelled;
    default:
        return SaveAnswer::NotSaved;
    }
    const bool saved = NamesExistingFile(session.state.projectTag) ? SaveExisting(session) : SaveAsDialog(session);
    return saved ? SaveAnswer::Saved : SaveAnswer::NotSaved;
}

void LoadEmptyProject(Session& session) {
    ReadAptData(session.db, session.aptPath(), session.prompts, session.progress);
    AddInstalledAircraft(session.db);
    session.state.projectTag = std::string(kProjectNew);
    session.db.journal().clear(); // new data: nothing to undo, nothing unsaved
}

bool NewProject(Session& session) {
    if (AskToSave(session) == SaveAnswer::Cancelled) return false;
    ClearData(session, true);
    ResetFSAircraftSpeeds(session.db.installedAircraftTable());
    LoadEmptyProject(session);
    return true;
}

bool OpenProject(Session& session) {
    if (AskToSave(session) == SaveAnswer::Cancelled) return false;
    const auto chosen =
        session.prompts.file({FileRequest::Mode::Open, "Open Corvane Project", kProjectFilter, ""});
    if (!chosen || !PathExists(*chosen, true)) return false;
    return ReadProject(session, *chosen);
}

bool OpenProjectFile(Session& session, const std::string& path) {
    if (AskToSave(session) == SaveAnswer::Cancelled) return false;
    if (!PathExists(path, true)) {
        session.prompts.message("Open Corvane Project", "The project ''" + path + "'' cannot be found.",
                                Icon::Exclamation);
        return false;
    }
    return ReadProject(session, path);
}

bool ReadProject(Session& session, const std::string& path) {
    // Read beside the open project: a file that cannot be read (or does not fit in memory) leaves it
    // as it was, and the reader has said why.
    TrafficDatabase staged;
    session.db.copyInstalledAircraftTo(staged);
    ResetFSAircraftSpeeds(staged.installedAircraftTable());
    if (!ReadProjectFile(staged, path, ReadOptions{false, true, session.aptPath()}, session.prompts,
                         session.progress))
        return false;
    ClearData(session, true);
    session.db.adopt(staged);
    session.db.journal().clear();
    session.state.projectTag = path;
    session.editor->showFirstAirport();
    return true;
}

std::string ProjectCaption(const std::string& projectTag) {
    if (projectTag == kProjectNew) return "Corvane - [New Project]";
    if (projectTag == kProjectFs) return "Corvane - [Traffic.BGL]";
    return "Corvane - [" + projectTag + "]";
}

} // namespace corvane
