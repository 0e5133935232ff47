#pragma once
// The subcommands of corvane-cli. Each takes the arguments after its name and returns the exit status:
// 0 on success (also when flights were dropped with a message), 1 when a file cannot be read or
// written, 2 for wrong arguments or input that the program's dialogs would refuse; check gives 3 when
// it found errors, timetable when it left legs out.

#include <string>
#include <vector>

namespace corvane::cli {

struct Context;

int RunConvert(Context& context, const std::vector<std::string>& args);
int RunStats(Context& context, const std::vector<std::string>& args);
int RunFilterCommand(Context& context, const std::vector<std::string>& args);
int RunEta(Context& context, const std::vector<std::string>& args);
int RunExport(Context& context, const std::vector<std::string>& args);
int RunMerge(Context& context, const std::vector<std::string>& args);
int RunOpen(Context& context, const std::vector<std::string>& args);
int RunCompile(Context& context, const std::vector<std::string>& args);
int RunCheck(Context& context, const std::vector<std::string>& args);
int RunBoard(Context& context, const std::vector<std::string>& args);
int RunReroute(Context& context, const std::vector<std::string>& args);
int RunRetime(Context& context, const std::vector<std::string>& args);
int RunTimetable(Context& context, const std::vector<std::string>& args);

// The one-line usage of a subcommand ("" for an unknown one).
std::string Usage(const std::string& command);

// Fills the InstalledAircraftTable from the simulator folder; false after printing why it cannot.
bool ScanInstalledAircraft(Context& context, const std::string& fsFolder);

// Runs corvane-cli with its arguments (without the program name); programFolder (ending in the
// separator) is where the shipped apt.dat lies.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& programFolder = {});

} // namespace corvane::cli
