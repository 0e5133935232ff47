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

inline CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace corvane::test
