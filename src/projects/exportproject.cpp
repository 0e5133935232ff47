#include "projects/exportproject.h"

#include "platform/paths.h"
#include "platform/textfile.h"
#include "projects/projectcommands.h"
#include "projects/session.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/writer.h"

namespace corvane {

ExportOutcome RunExport(Session& session, const ExportCriteria& criteria) {
    const ExportCheck check = ValidateExport(session.db, criteria);
    switch (check.result) {
    case ExportCheck::Result::NothingToDo:
        return ExportOutcome::NothingToDo;
    case ExportCheck::Result::Refused:
        session.prompts.ask(check.refusal);
        return ExportOutcome::Refused;
    case ExportCheck::Result::Ready:
        break;
    }
    return ExportProject(session, criteria);
}

ExportOutcome ExportProject(Session& session, const ExportCriteria& criteria) {
    // The name is taken as typed: no extension is added.
    const auto chosen =
        session.prompts.file({FileRequest::Mode::Save, "Export Corvane Project as", kProjectFilter, ""});
    if (!chosen || chosen->empty()) return ExportOutcome::Cancelled;
    // The old file stays until the new one is complete: it is replaced, never deleted first.
    if (PathExists(*chosen, true) &&
        !session.prompts.question("Overwrite existing file",
                                  *chosen + " does already exist.\r\nDo you want to replace this file?",
                                  Icon::Exclamation, Answer::No))
        return ExportOutcome::Cancelled;

    std::vector<std::string> selection = SelectExportFlights(session.db, criteria, session.progress);
    const std::size_t count = selection.size();
    if (!WriteExportFile(*chosen, std::move(selection), session.db, session.prompts, session.progress))
        return ExportOutcome::Failed;
    session.prompts.message("Corvane", ExportDoneText(count), Icon::Information);
    return ExportOutcome::Exported;
}

bool WriteExportFile(const std::string& path, std::vector<std::string> selection, TrafficDatabase& db,
                     Prompts& prompts, Progress& progress) {
    const std::string bytes = ProjectFileBytes(selection, true, db, prompts, progress);
    std::string error;
    if (!SaveFileAtomically(path, bytes, &error)) {
        ReportWriteError(prompts, error);
        return false;
    }
    return true;
}

std::string ExportDoneText(std::size_t flightCount) {
    return "Done exporting " + std::to_string(flightCount) + " flights!";
}

} // namespace corvane
