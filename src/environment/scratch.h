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

// Copies the traffic file into the backup folder under the name for the current minute, replacing a
// backup of the same minute. Returns the backup's path, or the empty text when there was nothing to
// copy or the copy failed.
std::string BackupTrafficBgl(const std::string& fsFolder);

} // namespace corvane
