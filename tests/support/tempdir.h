#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <string>
#include <string_view>
#include <vector>

namespace corvane::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending in the separator.
    const std::string& path() const { return m_path; }
    std::string file(std::string_view name) const { return m_path + std::string(name); }
    // Writes bytes to a file below the folder, creating its folders; returns its path.
    std::string write(std::string_view relativePath, std::string_view bytes) const;
    std::string read(std::string_view relativePath) const;
    // Writes bytes to any path, creating its folders.
    static void writeFile(const std::string& path, std::string_view bytes);
    std::string mkdir(std::string_view relativePath) const;

private:
    std::string m_path;
};

// The names of the entries of folder, in byte order.
std::vector<std::string> NamesIn(const std::string& folder);

// A name of Corvane's temporary files (traffic/tempfiles.h) such as a run that has ended leaves behind:
// this process's number with another start, and the six letters given.
std::string LeftOverTempName(std::string_view sixLetters);

// Every byte value once, 0 to 255 in order.
std::string EveryByte();

// A copy of tests/data/<relativePath> (a file or a folder) inside dir; returns the copy's path.
std::string CopyFixture(const TempDir& dir, std::string_view relativePath);

} // namespace corvane::test
