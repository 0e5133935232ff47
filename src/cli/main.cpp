#include "cli/commands.h"
#include "environment/programstate.h"
#include "platform/programstart.h"

#include <iostream>

int main(int argc, char** argv) {
    corvane::PrepareProcess();
    return corvane::cli::RunCli(corvane::ProgramArguments(argc, argv), std::cout, std::cerr,
                                corvane::RunningProgramFolder(argc > 0 ? argv[0] : nullptr));
}
