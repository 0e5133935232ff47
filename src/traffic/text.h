#pragma once
// Text in the core is the bytes of the files (Windows-1252), never re-encoded. These helpers compare,
// fold and trim those bytes the way the tables and formats need: letter case is ignored for the
// letters of Windows-1252, and "trim" removes blanks only.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

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
// How often c occurs in text (sixteen bytes at a time where the processor allows: files of megabytes).
std::size_t CountByte(std::string_view text, char c);

// Strict weak order for sorted lists and tables: ascending, letter case ignored.
struct LessIgnoringCase {
    bool operator()(std::string_view a, std::string_view b) const { return CompareIgnoringCase(a, b) < 0; }
};

// The first eight bytes of text, upper-cased, as one number whose order is theirs (bytes past the end
// count as 0): two texts whose prefixes differ compare as their prefixes do.
inline std::uint64_t FoldedPrefix(std::string_view text) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < text.size() ? kUpperBytes[static_cast<unsigned char>(text[i])] : 0u);
    return prefix;
}

// Sorts [first, last) by text(element), letter case ignored, equal texts keeping their order: the order
// of std::stable_sort with LessIgnoringCase, at a fraction of its cost, since most comparisons are of
// the texts' folded prefixes and elements are moved once.
template <typename Iterator, typename Text>
void StableSortIgnoringCase(Iterator first, Iterator last, Text text) {
    struct Item {
        std::uint64_t prefix;
        std::size_t index;
    };
    const auto count = static_cast<std::size_t>(last - first);
    std::vector<Item> items(count);
    for (std::size_t i = 0; i < count; ++i) items[i] = {FoldedPrefix(text(first[i])), i};
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        const int order = CompareIgnoringCase(text(first[a.index]), text(first[b.index]));
        return order != 0 ? order < 0 : a.index < b.index;
    });
    std::vector<typename std::iterator_traits<Iterator>::value_type> sorted;
    sorted.reserve(count);
    for (const Item& item : items) sorted.push_back(std::move(first[item.index]));
    std::move(sorted.begin(), sorted.end(), first);
}

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
