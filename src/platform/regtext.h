#pragma once
// Strings inside Wine's registry files (system.reg): key names between [ ] and value names and string
// data between double quotes, written with C-like escapes. A backslash escapes itself and the quote
// or bracket that would end the string; control characters are \n, \t, ... or octal; characters above
// 127 are \x and their UTF-16 code unit in hex. Corvane keeps such strings as UTF-8.

#include <string>
#include <string_view>

namespace corvane {

// The UTF-8 text of an escaped string (without its enclosing quotes or brackets). Bytes above 127 that
// stand unescaped in the file are kept as they are.
std::string UnescapeRegText(std::string_view escaped);

// The escaped form of a UTF-8 text; closers are the characters that would end the string ("\"" for
// names and data, "[]" for key names). A byte that is not part of valid UTF-8 is taken as the
// character of the same number.
std::string EscapeRegText(std::string_view text, std::string_view closers);

// Position of the first unescaped closer in text at or after from, or npos.
std::size_t FindUnescaped(std::string_view text, char closer, std::size_t from = 0);

// ASCII letters compared without regard to case, as the registry compares key and value names.
bool SameRegName(std::string_view a, std::string_view b);

} // namespace corvane
