#pragma once
// The files of Windows' reg program ("reg import", "reg export"): "Windows Registry Editor Version
// 5.00" text in UTF-16LE with a byte order mark, one "[HKEY_...\Key]" line per key, then one line per
// value, names and string data between double quotes with backslash and quote escaped by a backslash.
// Texts on this side are UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The full name of key under hive as reg names it: "HKEY_LOCAL_MACHINE\..." ("HKEY_CLASSES_ROOT\..."
// for the classes-root hive).
std::string RegRootedKey(std::string_view hive, std::string_view key);

// A file that sets one string value of rootedKey.
std::string RegImportFile(std::string_view rootedKey, std::string_view valueName, std::string_view value);

// The string data of valueName (names matched without regard to case) in an exported file; nullopt
// when the file holds no such string value.
std::optional<std::string> RegExportedString(std::string_view file, std::string_view valueName);

} // namespace corvane
