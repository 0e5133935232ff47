#pragma once
// The two-way path between the simulator's installed traffic and the tables: opening Traffic.bgl
// (the decompiler writes the three text databases into TempData, the reader loads them) and compiling
// the tables back into it (a dated backup, the three text databases written into the program folder,
// the compiler run there). A tool that cannot be started, fails, or leaves its output missing is
// reported and never taken for success. While a tool runs the progress window shows it; a tool that
// runs past the session's time limit is stopped and reported. The tools find the simulator through
// its registry value, which names the session's simulator folder while they run; where it cannot be
// set, no tool runs.

namespace corvane {

struct Session;

// "O&pen FS2002 Traffic.bgl...", and the first step of an import (importMode: every aircraft of the
// installed traffic goes into the AircraftTable, and the load is not completed with apt.dat and the
// installed aircraft). Runs the save prompt first. The decompiler runs only when DecompileNeeded; when
// it fails, is cancelled by the user, or its output cannot be read, nothing stale is loaded,
// DecompileNeeded stays true, and the data that were open stay as they were (a cancel shows no
// message). Returns whether the installed traffic was loaded; false too when the save prompt was
// cancelled. askFirst false: the caller has run the save prompt itself.
bool OpenTrafficBgl(Session& session, bool importMode, bool askFirst = true);

enum class CompileQuestion { Ask, Skip };

// "&Compile FS2002 Traffic.bgl...". Does nothing with an empty FlightTable; asks before replacing
// Traffic.bgl with data that did not come from it (unless told to skip the question, as corvane-cli
// does). No compile runs without a backup of the old Traffic.bgl; the compiler cannot be cancelled.
// Returns whether a new Traffic.bgl is in place.
bool CompileTrafficBgl(Session& session, CompileQuestion question = CompileQuestion::Ask);

} // namespace corvane
