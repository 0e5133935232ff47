#include "tempdir.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

namespace fs = std::filesystem;

namespace corvane::test {

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "corvane-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_path = pattern + "/";
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string TempDir::write(std::string_view relativePath, std::string_view bytes) const {
    const fs::path target = fs::path(m_path) / relativePath;
    writeFile(target.string(), bytes);
    return target.string();
}

void TempDir::writeFile(const std::string& path, std::string_view bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string TempDir::read(std::string_view relativePath) const {
    std::ifstream in(fs::path(m_path) / relativePath, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string TempDir::mkdir(std::string_view relativePath) const {
    const fs::path target = fs::path(m_path) / relativePath;
    fs::create_directories(target);
    return target.string() + "/";
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string EveryByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

std::string CopyFixture(const TempDir& dir, std::string_view relativePath) {
    const fs::path source = fs::path(CORVANE_TEST_DATA) / relativePath;
    const fs::path target = fs::path(dir.path()) / source.filename();
    fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    return target.string() + (fs::is_directory(target) ? "/" : "");
}

} // namespace corvane::test
