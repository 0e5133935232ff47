#pragma once
// A fresh folder below the system's temporary folder, removed with its content on destruction unless
// kept.

#include <string>

namespace corvane {

class ScratchFolder {
public:
    // Throws std::runtime_error when the folder cannot be made.
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Ends in "/".
    const std::string& path() const { return m_path; }
    void keep() { m_keep = true; }

private:
    std::string m_path;
    bool m_keep = false;
};

} // namespace corvane
