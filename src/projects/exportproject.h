#pragma once
// The export of selected flights: the Export button checks the criteria, asks for a file, selects the
// flights and writes them, with the aircraft and airports they use, as a project file. The open
// project is not changed: only the copies of the selected lines are renumbered while they are written.

#include "projects/exportcriteria.h"

#include <cstddef>
#include <string>
#include <vector>

namespace corvane {

class Progress;
class Prompts;
class TrafficDatabase;
struct Session;

enum class ExportOutcome {
    NothingToDo, // the FlightTable is empty: nothing is shown
    Refused,     // a check failed; its message has been shown
    Cancelled,   // no file chosen, or No to replacing it
    Failed,      // the file could not be written; the reason has been shown
    Exported,    // written, and "Done exporting N flights!" shown
};

// exportCmd_Click: ValidateExport (showing a refusal), then ExportProject.
ExportOutcome RunExport(Session& session, const ExportCriteria& criteria);

// The save dialog, the question before replacing an existing file, the selection, the file and the
// completion message. The file is replaced atomically: a failed write leaves the old file whole.
ExportOutcome ExportProject(Session& session, const ExportCriteria& criteria);

// Writes the project file of selection to path (atomically), in the project file layout with full
// airport lines; the tables of db are not changed. A failed write is reported and returns false.
bool WriteExportFile(const std::string& path, std::vector<std::string> selection, TrafficDatabase& db,
                     Prompts& prompts, Progress& progress);

// "Done exporting N flights!"
std::string ExportDoneText(std::size_t flightCount);

} // namespace corvane
