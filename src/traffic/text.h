#pragma once
// Text in the core is the bytes of the files (Windows-1252), never re-encoded. These helpers compare,
// fold and trim those bytes the way the tables and formats need: letter case is ignored for the
// letters of Windows-1252, and "trim" removes blanks only.

#include <string>
#include <string_view>

namespace corvane {

char UpperChar(char c);
std::string Upper(std::string_view text);
// Blanks (0x20) removed from both ends; tabs and other bytes stay.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
// Negative, zero or positive, comparing the upper-cased bytes as unsigned values.
int CompareIgnoringCase(std::string_view a, std::string_view b);
bool Contains(std::string_view text, std::string_view part);
bool Contains(std::string_view text, char c);

// Strict weak order for sorted lists and tables: ascending, letter case ignored.
struct LessIgnoringCase {
    bool operator()(std::string_view a, std::string_view b) const { return CompareIgnoringCase(a, b) < 0; }
};

} // namespace corvane
