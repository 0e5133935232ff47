#pragma once
// A Wine prefix: the folder that holds the registry files of a Windows installation emulated by Wine
// (system.reg) and, in "dosdevices", one link per drive letter ("c:" -> "../drive_c", "z:" -> "/").
// Windows paths are turned into host paths through those links and back.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class WinePrefix {
public:
    // folder may be given with or without its separator at the end.
    explicit WinePrefix(std::string_view folder);
    // $WINEPREFIX, else ~/.wine (from $HOME); a prefix with an empty folder when neither is set.
    static WinePrefix fromEnvironment();

    // The folder, ending in the separator; empty when there is no prefix.
    const std::string& folder() const { return m_folder; }
    std::string systemRegPath() const;

    // The host path of a Windows path such as "C:\Program Files\FS2002" (separators "\" or "/"); a
    // trailing separator is kept, and where the path exists its names take their case on disk.
    // "" for a path on no known drive or not of the form "X:...".
    std::string toHostPath(std::string_view windowsPath) const;
    // The Windows path of a host path, through the drive whose folder holds it most closely; a path
    // outside every drive becomes "Z:" followed by the path with backslashes.
    std::string toWindowsPath(std::string_view hostPath) const;

private:
    struct Drive {
        char letter;        // upper case
        std::string folder; // canonical host folder, without separator at the end ("/" for the root)
    };
    std::vector<Drive> drives() const;

    std::string m_folder;
};

} // namespace corvane
