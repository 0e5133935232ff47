#include "traffic/text.h"

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace corvane {

namespace {

constexpr unsigned char FoldByte(unsigned u) {
    if (u >= 'a' && u <= 'z') return static_cast<unsigned char>(u - 0x20);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) // à..þ except ÷
        return static_cast<unsigned char>(u - 0x20);
    if (u == 0x9A || u == 0x9C || u == 0x9E) // š œ ž
        return static_cast<unsigned char>(u - 0x10);
    if (u == 0xFF) // ÿ
        return 0x9F;
    return static_cast<unsigned char>(u);
}

constexpr std::array<unsigned char, 256> FoldTable() {
    std::array<unsigned char, 256> table{};
    for (unsigned u = 0; u < 256; ++u) table[u] = FoldByte(u);
    return table;
}

} // namespace

const std::array<unsigned char, 256> kUpperBytes = FoldTable();

namespace {

// The accented capitals of Windows-1252 from 0xC0 to 0xDF, as their plain letters ('\0': none).
constexpr std::string_view kPlainCapitals("AAAAAAACEEEEIIIIDNOOOOO\0OUUUUYTS", 32);

} // namespace

std::string SearchFold(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    AppendSearchFold(folded, text);
    return folded;
}

namespace {

// What SearchFold makes of each byte: one or two characters (the second '\0' when there is one).
struct SearchFoldTable {
    char first[256];
    char second[256];
};

SearchFoldTable MakeSearchFoldTable() {
    SearchFoldTable table{};
    for (int byte = 0; byte < 256; ++byte) {
        const unsigned char u = kUpperBytes[byte];
        const char* folded = nullptr;
        switch (u) {
        case 0xC6:
            folded = "AE";
            break; // Æ (and æ, folded above)
        case 0x8C:
            folded = "OE";
            break; // Œ œ
        case 0xDF:
            folded = "SS";
            break; // ß
        case 0xDE:
            folded = "TH";
            break; // Þ þ
        case 0x8A:
            folded = "S";
            break; // Š š
        case 0x8E:
            folded = "Z";
            break; // Ž ž
        case 0x9F:
            folded = "Y";
            break; // Ÿ ÿ
        default:
            break;
        }
        if (folded) {
            table.first[byte] = folded[0];
            table.second[byte] = folded[1];
        } else {
            table.first[byte] = u >= 0xC0 && u <= 0xDD && kPlainCapitals[u - 0xC0] != '\0'
                                    ? kPlainCapitals[u - 0xC0]
                                    : static_cast<char>(u);
        }
    }
    return table;
}

const SearchFoldTable kSearchFold = MakeSearchFoldTable();

} // namespace

void AppendSearchFold(std::string& folded, std::string_view text) {
    const std::size_t start = folded.size();
    folded.resize(start + 2 * text.size());
    char* out = folded.data() + start;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = kSearchFold.first[byte];
        if (kSearchFold.second[byte] != '\0') *out++ = kSearchFold.second[byte];
    }
    folded.resize(static_cast<std::size_t>(out - folded.data()));
}

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = UpperChar(c);
    return result;
}

std::string_view TrimView(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(UpperChar(a[i]));
        const auto y = static_cast<unsigned char>(UpperChar(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::size_t HashIgnoringCase::operator()(std::string_view text) const {
    // FNV-1a over the folded bytes.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= kUpperBytes[static_cast<unsigned char>(c)];
        hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool Contains(std::string_view text, char c) {
    return text.find(c) != std::string_view::npos;
}

std::size_t CountByte(std::string_view text, char c) {
    std::size_t count = 0;
    const char* at = text.data();
    const char* const end = at + text.size();
#if defined(__SSE2__) || defined(_M_X64)
    // Each byte lane counts its hits (a match is -1, subtracted) for up to 255 rounds; then the lanes
    // are summed into the count.
    const __m128i wanted = _mm_set1_epi8(c);
    while (end - at >= 16) {
        __m128i lanes = _mm_setzero_si128();
        for (int round = 0; round < 255 && end - at >= 16; ++round, at += 16)
            lanes = _mm_sub_epi8(
                lanes, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), wanted));
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
#endif
    for (; at != end; ++at) count += *at == c;
    return count;
}

} // namespace corvane
