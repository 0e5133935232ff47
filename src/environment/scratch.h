#pragma once
// The scratch files of the Traffic.bgl round trip and the backups of the simulator's traffic file.
// Clean-up steps ignore their own errors: a file that is already gone is what they want.
//
//   ProgramFolder/TempData/            the decompiler's output, read when Traffic.bgl is opened
//   ProgramFolder/Aircraft.txt, ...    the compiler's input, alive only during a compile
//   FSFolder/SCENEDB/ATC/Scenery/traffic.bgl
//   FSFolder/SCENEDB/ATC/Scenery/Traffic Backup/Traffic (dd.mm.yy - hh.mm).bgl

#include <ctime>
#include <string>

namespace corvane {

inline constexpr const char* kTempDataFolder = "TempData";
inline constexpr const char* kSceneryFolder = "SCENEDB/ATC/Scenery";
inline constexpr const char* kTrafficFile = "traffic.bgl";
inline constexpr const char* kBackupFolder = "Traffic Backup";

// Deletes the compiler's input files and temp.dat in programFolder (names matched without regard to
// case); with removeFolder also every file of TempData and the folder itself.
void CleanTempData(const std::string& programFolder, bool removeFolder);
void MakeTempDataFolder(const std::string& programFolder);
// Creates the folder (and its parents); errors are ignored.
void MakeFolder(const std::string& path);

// The simulator's traffic file and backup folder, found without regard to case where they exist.
std::string TrafficBglPath(const std::string& fsFolder);
std::string BackupFolderPath(const std::string& fsFolder);

// "Traffic (05.12.26 - 21.07).bgl" for a compile on 5 December 2026 at 21:07.
std::string BackupFileName(const std::tm& when);

// The result of backing up the traffic file before a compile.
struct Backup {
    enum class Status {
        Made,            // path names the new backup, a complete copy
        NothingToBackUp, // there is no traffic file yet
        Failed,          // path names the backup that could not be made, error says why
    };
    Status status = Status::NothingToBackUp;
    std::string path;
    std::string error;
};

// Copies the traffic file into the backup folder (created when missing) under the name for the
// minute of when. A backup is never overwritten: when that name is taken, " (2)", " (3)", ... go
// before ".bgl". The copy is written to a temporary name in the backup folder, flushed, checked
// against the size of the traffic file and only then given its name; a link or any other file at a
// backup name is never followed or written through, and a torn copy never remains.
Backup BackupTrafficBgl(const std::string& fsFolder, const std::tm& when);
// The same for the current local time.
Backup BackupTrafficBgl(const std::string& fsFolder);

} // namespace corvane
