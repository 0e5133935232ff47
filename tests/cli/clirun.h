#pragma once
// corvane-cli run in process, with its exit status and what it printed.

#include "cli/commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace corvane::test {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// programFolder: where the program's apt.dat and traffic tools lie.
inline CliRun Cli(const std::vector<std::string>& args, const std::string& programFolder = {}) {
    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err, programFolder);
    return {status, out.str(), err.str()};
}

// The backup that corvane-cli compile names ("backup: PATH"); empty without one.
inline std::string BackupIn(const CliRun& run) {
    const auto at = run.out.find("backup: ");
    if (at == std::string::npos) return {};
    return run.out.substr(at + 8, run.out.find('\n', at) - at - 8);
}

} // namespace corvane::test
