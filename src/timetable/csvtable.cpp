#include "timetable/csvtable.h"

#include "traffic/text.h"

#include <array>
#include <climits>
#include <cstdint>

namespace corvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The characters of Windows-1252's bytes 0x80 to 0x9F (0 where the byte has none); the other bytes
// above 0x7F are the characters of their own number.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char Windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return kUnheldCharacter;
}

// The length of the valid UTF-8 character at text[i] and its code point; 0 when there is none.
int Utf8Character(std::string_view text, std::size_t i, char32_t& c) {
    const auto b = static_cast<unsigned char>(text[i]);
    const int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return 0;
    c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) return 0;
        c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

bool IsUtf8(std::string_view text) {
    char32_t c = 0;
    for (std::size_t i = 0; i < text.size();) {
        const int length = Utf8Character(text, i, c);
        if (length == 0) return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

// The separator of a header line: the one of ",", ";" and tab that it holds most of outside quotes
// (a comma when none).
char DetectSeparator(std::string_view text) {
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        commas += c == ',';
        semicolons += c == ';';
        tabs += c == '\t';
    }
    if (semicolons > commas && semicolons >= tabs) return ';';
    if (tabs > commas && tabs > semicolons) return '\t';
    return ',';
}

} // namespace

std::optional<std::string> DecodeTimetableText(std::string_view bytes, CsvTable::Encoding* encoding) {
    const bool marked = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (marked) bytes.remove_prefix(kByteOrderMark.size());
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    const bool utf8 = marked || IsUtf8(bytes);
    if (encoding) *encoding = utf8 ? CsvTable::Encoding::Utf8 : CsvTable::Encoding::Windows1252;
    if (!utf8) return std::string(bytes);
    std::string text;
    text.reserve(bytes.size());
    char32_t c = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const int length = Utf8Character(bytes, i, c);
        // A marked file with a stray byte: the byte is a character Windows-1252 may not hold.
        text += length == 0 ? kUnheldCharacter : Windows1252Byte(c);
        i += static_cast<std::size_t>(length == 0 ? 1 : length);
    }
    return text;
}

std::optional<CsvTable> CsvTable::parse(std::string_view bytes) {
    CsvTable table;
    const auto decoded = DecodeTimetableText(bytes, &table.m_encoding);
    // Cells are addressed by 32-bit offsets.
    if (!decoded || decoded->size() >= UINT32_MAX) return std::nullopt;
    const std::string_view text = *decoded;
    table.m_separator = DetectSeparator(text);
    table.m_text.reserve(text.size());

    int line = 1;
    std::size_t i = 0;
    const auto lineEnd = [&](std::size_t at) { return text[at] == '\n' || text[at] == '\r'; };
    // Steps over one line end (CR LF counts once).
    const auto takeLineEnd = [&] {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        ++i;
        ++line;
    };
    while (i < text.size()) {
        Row row{static_cast<std::uint32_t>(table.m_cells.size()), 0, line};
        bool blank = true;
        while (true) {
            // One cell: blanks around it dropped, a quoted part unquoted.
            const std::size_t start = table.m_text.size();
            std::size_t kept = start; // the end of the cell without its trailing blanks
            while (i < text.size() && text[i] == ' ') ++i;
            while (i < text.size() && text[i] != table.m_separator && !lineEnd(i)) {
                if (text[i] == '"') {
                    for (++i; i < text.size(); ++i) {
                        if (text[i] == '"') {
                            if (i + 1 < text.size() && text[i + 1] == '"') {
                                ++i;
                            } else {
                                break;
                            }
                        }
                        if (text[i] == '\n' ||
                            (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                            ++line;
                        table.m_text += text[i];
                    }
                    ++i; // the closing quote
                    kept = table.m_text.size();
                    continue;
                }
                table.m_text += text[i];
                if (text[i] != ' ') kept = table.m_text.size();
                ++i;
            }
            table.m_text.resize(kept);
            if (kept > start) blank = false;
            table.m_cells.push_back(
                {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(kept - start)});
            ++row.cellCount;
            if (i < text.size() && text[i] == table.m_separator) {
                ++i;
                continue;
            }
            break;
        }
        if (i < text.size()) takeLineEnd();
        // Lines with nothing in them are no rows.
        if (blank) {
            table.m_cells.resize(row.firstCell); // they added no text
            continue;
        }
        table.m_rows.push_back(row);
    }
    return table;
}

int CsvTable::cellCount(int row) const {
    return static_cast<int>(m_rows[static_cast<std::size_t>(row)].cellCount);
}

std::string_view CsvTable::cell(int row, int column) const {
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    if (column < 0 || static_cast<std::uint32_t>(column) >= r.cellCount) return {};
    const Cell& c = m_cells[r.firstCell + static_cast<std::uint32_t>(column)];
    return std::string_view(m_text).substr(c.offset, c.length);
}

} // namespace corvane
