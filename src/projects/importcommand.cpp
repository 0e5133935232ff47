#include "projects/importcommand.h"

#include "environment/scratch.h"
#include "platform/paths.h"
#include "projects/importproject.h"
#include "projects/projectcommands.h"
#include "projects/session.h"
#include "projects/trafficbgl.h"

namespace corvane {

ImportOutcome RunImport(Session& session, const std::string& path) {
    if (!PathExists(path, true)) {
        session.prompts.message("Wrong path", "Please enter a correct path to an Corvane project file!",
                                Icon::Exclamation);
        return ImportOutcome::WrongPath;
    }
    // The whole file is read before the current data are replaced, so a file that cannot be read
    // leaves everything as it was.
    const auto bytes = ReadImportFile(path, session.prompts);
    if (!bytes) return ImportOutcome::Unreadable;
    if (AskToSave(session) == SaveAnswer::Cancelled) return ImportOutcome::Cancelled;
    if (!OpenTrafficBgl(session, true, false)) return ImportOutcome::NotLoaded; // the open data stay
    MakeFolder(BackupFolderPath(session.state.fsFolder));
    ImportProjectBytes(session.db, *bytes, session.progress);
    session.state.projectTag = std::string(kProjectFs);

    const int unknown = session.db.missingAircraftTable().rowCount();
    if (unknown > 0) {
        session.prompts.ask(AssociateUnknownAircraftPrompt(unknown));
        return ImportOutcome::NeedsAssociation;
    }
    // With no flights at all there is nothing to compile; otherwise only a compile that built a new
    // Traffic.bgl counts as an import.
    if (!session.db.flightTable().isEmpty() && !CompileTrafficBgl(session))
        return ImportOutcome::CompileFailed;
    session.db.flightTable().clear();
    NewProject(session);
    session.prompts.message("Done", path + "\r\nwas imported successfully to Traffic.BGL!",
                            Icon::Information);
    return ImportOutcome::Imported;
}

Prompt AssociateUnknownAircraftPrompt(int count) {
    return {"Associate unknown aircraft",
            "The import file include " + std::to_string(count) +
                " aircraft that was not found in your FS2002 aircraft folder!\r\n\r\n"
                "To continue the import operation, please associate the ''Unknown Aircraft''.\r\n"
                "When you are done, choose ''Compile FS2000 Traffic.bgl'' form the ''File''\r\n"
                "menu, to complete this import session and to save the changes.",
            Icon::Exclamation, Buttons::Ok, Answer::Ok};
}

} // namespace corvane
