#pragma once
// The text of a Wine registry file (system.reg) with the reading and rewriting of one string value.
// The file is a header followed by one section per key: a line "[Key\\Path] time", optional "#"
// lines, then one line per value ("name"="data", @="data" for the default value, or other types such
// as dword:0000002a whose data may continue on lines ending in a backslash). A change rewrites only
// the value's own line (or adds one line, or one section at the end); every other byte stays.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class RegFile {
public:
    explicit RegFile(std::string text)
        : m_text(std::move(text)) {}

    const std::string& text() const { return m_text; }

    // The string data of valueName ("" names the default value) under key, both names matched without
    // regard to case; nullopt when the key or the value is missing or the value holds no string.
    std::optional<std::string> stringValue(std::string_view key, std::string_view valueName) const;

    // Sets valueName under key to the string value; a missing key is added at the end of the file
    // with modifiedTime (seconds since 1970) as its time stamp.
    void setStringValue(std::string_view key, std::string_view valueName, std::string_view value,
                        std::int64_t modifiedTime);

private:
    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0; // past the line end of the last line
    };
    struct ValueLine {
        Span span;
        std::size_t dataBegin = 0; // where the text after "=" starts
    };

    // The lines of the section of key after its "[...]" line, or nullopt.
    std::optional<Span> findSection(std::string_view key) const;
    std::optional<ValueLine> findValue(const Span& section, std::string_view valueName) const;
    std::string_view lineEnd() const;
    // key with the part that names an existing key (or a parent of it) spelled as the file spells it.
    std::string spelledKey(std::string_view key) const;

    std::string m_text;
};

} // namespace corvane
