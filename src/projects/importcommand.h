#pragma once
// The Import button: the installed traffic is opened in import mode, the chosen project file is merged
// into it, and the result is compiled back into Traffic.bgl, unless the file brought aircraft that are
// not installed; those must first be associated with installed ones on the aircraft page, after which
// the user compiles from the File menu.

#include "traffic/prompts.h"

#include <string>

namespace corvane {

struct Session;

enum class ImportOutcome {
    WrongPath,        // path names no file: "Wrong path" shown, nothing changed
    Unreadable,       // the file could not be read: reported, nothing changed
    Cancelled,        // the save prompt was cancelled: nothing changed
    NotLoaded,        // the installed traffic could not be opened (reported); the open data stay
    CompileFailed,    // merged, but the compile failed (reported); the merged data stay loaded
    Imported,         // compiled, an empty new project loaded, "Done" shown
    NeedsAssociation, // unknown aircraft remain: merged data loaded, "Associate unknown aircraft" shown;
                      // the aircraft page should be shown
};

// importCmd_Click with the text of importTxt.
ImportOutcome RunImport(Session& session, const std::string& path);

// The message for unknown aircraft left after a merge (count: rows of the MissingAircraftTable).
Prompt AssociateUnknownAircraftPrompt(int count);

} // namespace corvane
