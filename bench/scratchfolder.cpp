#include "scratchfolder.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace corvane {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("Could not make a folder " + pattern + ": " + std::strerror(errno));
    m_path = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    if (!m_keep) std::filesystem::remove_all(m_path, ignored);
}

} // namespace corvane
