#pragma once
// A timetable file as a table of text cells: the bytes decoded (UTF-8, with or without a byte-order
// mark, or else Windows-1252) into Corvane's Windows-1252, the separator detected from the first line
// (comma, semicolon or tab, whichever it holds most of outside quotes), quoted fields unquoted ("" is a
// quote, and a quoted field may hold separators and line breaks). Lines end in CR LF, LF or CR alone.
//
// The cells live in one buffer; a row is a run of cells. A character that Windows-1252 cannot hold is
// kept as the byte kUnheldCharacter, so that whoever reads the cell can say which text it spoils.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr char kUnheldCharacter = '\0';

class CsvTable {
public:
    enum class Encoding { Utf8, Windows1252 };

    // The table of bytes, or nullopt when they are no text (they hold a NUL byte outside a UTF-8
    // character, as a binary file or UTF-16 text does).
    static std::optional<CsvTable> parse(std::string_view bytes);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int cellCount(int row) const;
    // The cell, blanks around it removed; the empty text past the row's end.
    std::string_view cell(int row, int column) const;
    // The line of the file on which the row begins, from 1.
    int line(int row) const { return m_rows[static_cast<std::size_t>(row)].line; }
    char separator() const { return m_separator; }
    Encoding encoding() const { return m_encoding; }

private:
    struct Cell {
        std::uint32_t offset, length;
    };
    struct Row {
        std::uint32_t firstCell;
        std::uint32_t cellCount;
        int line;
    };
    std::string m_text;
    std::vector<Cell> m_cells;
    std::vector<Row> m_rows;
    char m_separator = ',';
    Encoding m_encoding = Encoding::Utf8;
};

// Text as Windows-1252: UTF-8 text converted (kUnheldCharacter for a character it has no byte for),
// other text as it stands. nullopt for bytes that are no text (see CsvTable::parse).
std::optional<std::string> DecodeTimetableText(std::string_view bytes,
                                               CsvTable::Encoding* encoding = nullptr);

} // namespace corvane
