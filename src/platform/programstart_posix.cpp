#include "platform/programstart.h"

#include <csignal>

namespace corvane {

void PrepareProcess() {
    std::signal(SIGXFSZ, SIG_IGN);
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    if (argc < 1) return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace corvane
