#include "cli/commands.h"
#include "environment/programstate.h"

#include <filesystem>
#include <iostream>
#include <system_error>

int main(int argc, char** argv) {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string folder = corvane::ProgramFolderOf(error ? std::string(argv[0]) : program.string());
    return corvane::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                                folder);
}
