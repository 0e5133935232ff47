#pragma once
// Text in the core is the bytes of the files (Windows-1252), never re-encoded. These helpers compare,
// fold and trim those bytes the way the tables and formats need: letter case is ignored for the
// letters of Windows-1252, and "trim" removes blanks only.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// The upper-case byte of each byte value; built once, so that folding a byte is one lookup in the
// comparisons that sorting and hashing make by the million.
extern const std::array<unsigned char, 256> kUpperBytes;

inline char UpperChar(char c) {
    return static_cast<char>(kUpperBytes[static_cast<unsigned char>(c)]);
}
std::string Upper(std::string_view text);
// Blanks (0x20) removed from both ends; tabs and other bytes stay.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);

// text for searching: upper case, and the letters of Windows-1252 without their accents (é and É are
// E, ñ is N, ß is SS, æ is AE, œ is OE), so that "zurich" finds "Zürich".
std::string SearchFold(std::string_view text);
// SearchFold(text) added to the end of folded.
void AppendSearchFold(std::string& folded, std::string_view text);

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

// Hash and equality with letter case ignored, for hash containers keyed by codes and titles; both take
// views, so a lookup makes no upper-cased copy of its key.
struct HashIgnoringCase {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const;
};
struct EqualIgnoringCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return a.size() == b.size() && (a == b || EqualsIgnoringCase(a, b));
    }
};

} // namespace corvane
