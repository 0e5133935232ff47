#include "tempdir.h"

#include "hostpath.h"
#include "platform/hostfs.h"
#include "platform/tempfiles.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace corvane::test {

TempDir::TempDir() {
    const std::string base = HostPathOf(fs::temp_directory_path());
    static std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = (base.ends_with('/') ? base : base + "/") + "corvane-test-" +
                                 std::to_string(random() % 1000000000);
        int error = 0;
        if (hostfs::MakeFolder(path, &error)) {
            m_path = path + "/";
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder in " + base);
}

TempDir::~TempDir() {
    hostfs::RemoveTree(m_path.substr(0, m_path.size() - 1));
}

std::string TempDir::write(std::string_view relativePath, std::string_view bytes) const {
    const std::string target = m_path + std::string(relativePath);
    writeFile(target, bytes);
    return target;
}

void TempDir::writeFile(const std::string& path, std::string_view bytes) {
    const fs::path target = FsPath(path);
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string TempDir::read(std::string_view relativePath) const {
    std::ifstream in(FsPath(m_path + std::string(relativePath)), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string TempDir::mkdir(std::string_view relativePath) const {
    const std::string target = m_path + std::string(relativePath);
    fs::create_directories(FsPath(target));
    return target.ends_with('/') ? target : target + "/";
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FsPath(folder)))
        names.push_back(HostPathOf(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::string EveryByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

std::string CopyFixture(const TempDir& dir, std::string_view relativePath) {
    const fs::path source = FsPath(CORVANE_TEST_DATA) / relativePath;
    const fs::path target = FsPath(dir.path()) / source.filename();
    fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    return HostPathOf(target) + (fs::is_directory(target) ? "/" : "");
}

std::string LeftOverTempName(std::string_view sixLetters) {
    const hostfs::ProcessMark own = hostfs::OwnProcessMark();
    return std::string(kTempFilePrefix) + hostfs::kProcessMarkSystem + std::to_string(own.id) + "." +
           std::to_string(own.start + 1) + "-" + std::string(sixLetters);
}

} // namespace corvane::test
