#pragma once
// The project commands of the File menu: New, Open, Save and Save As, and the save prompt that every
// command replacing the data runs first. The prompt is asked when there are unsaved changes (the
// change journal is not at its saved point) and the FlightTable is not empty; its Cancel stops the
// command that asked. A project file is replaced atomically, so a failed save leaves the old file
// whole; it is reported, and the caption and ProjectTag stay as they were.

#include <string>

namespace corvane {

struct Session;

inline constexpr const char* kProjectFilter = "Corvane Project (*.cvp)|*.cvp";

enum class SaveMode {
    Prompt, // the save prompt of New, Open, Open Traffic.bgl and shut-down
    Save,   // "&Save Project"
    SaveAs, // "Sa&ve Project As..."
};

// False when the save prompt was cancelled.
bool NewProject(Session& session);
// True when a project was opened.
bool OpenProject(Session& session);
// Opens the project at path as "&Open Project..." does once a file is chosen (a recent project, one
// named on the command line or dropped on the window), after the save prompt. A path that names no
// file is reported. True when it was opened.
bool OpenProjectFile(Session& session, const std::string& path);
// Reads the project at path in place of the open data (which stay when it cannot be read).
bool ReadProject(Session& session, const std::string& path);
// True when the project was written.
bool SaveProject(Session& session, SaveMode mode);

enum class SaveAnswer { Saved, NotSaved, Cancelled };
// The save prompt: "Save Project" with Yes, No and Cancel, asked only when there are unsaved changes.
// Cancelled stops the command that asked; after Yes, a cancelled Save As dialog still lets it go on.
SaveAnswer AskToSave(Session& session);
bool HasUnsavedChanges(const Session& session);

// Writes the project file at path and makes it the saved point of the data.
bool Write(Session& session, const std::string& path);

// The main window's caption for the current project: "Corvane - [New Project]",
// "Corvane - [Traffic.BGL]" or "Corvane - [" + path + "]".
std::string ProjectCaption(const std::string& projectTag);

// An empty new project: every airport of apt.dat and every installed aircraft, ProjectTag "new".
// Used by New Project and wherever a load leaves nothing behind.
void LoadEmptyProject(Session& session);

} // namespace corvane
