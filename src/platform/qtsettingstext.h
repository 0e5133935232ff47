#pragma once
// Values as QSettings keeps them as text, in its INI files and in the Windows registry alike: a string
// that starts with "@" is stored with "@@", a byte array as "@ByteArray(...)" with one character per
// byte, and a value of another type as "@Type(...)". Corvane's settings are strings; a setting whose
// bytes are not UTF-8 (a folder name on Linux may hold any) is stored as a byte array, so that it comes
// back as it was.

#include <string>
#include <string_view>

namespace corvane {

// The bytes of a stored value (a string as UTF-8); "" for a value of another type.
std::string QtSettingsValue(std::u32string_view stored);

// The text that stores value, as UTF-8.
std::string QtSettingsText(std::string_view value);

} // namespace corvane
