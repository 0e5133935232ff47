#include "cli/commands.h"
#include "environment/programstate.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv) {
    // A file size limit makes a write fail with an error to report, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    return corvane::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                                corvane::RunningProgramFolder(argv[0]));
}
