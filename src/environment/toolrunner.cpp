#include "environment/toolrunner.h"

#include <fstream>

namespace corvane {

bool IsWindowsProgram(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[2] = {};
    return in.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

} // namespace corvane
