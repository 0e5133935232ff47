#pragma once
// UTF-8 where host paths and settings meet text: Corvane's own data are Windows-1252, but file names
// on Linux, Wine's registry and Qt's settings files speak UTF-8. A byte that is not part of valid
// UTF-8 stands for the character of its own number, so that no byte is ever lost.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

void AppendUtf8(std::string& out, char32_t character);

// The code points of text, an invalid byte standing for itself.
std::vector<char32_t> CodePoints(std::string_view text);

// The UTF-16 code units of text: a character above U+FFFF as a surrogate pair, an invalid byte as the
// character of its number.
std::u16string Utf16Units(std::string_view text);

// UTF-8 of UTF-16 code units, surrogate pairs joined; a lone surrogate is kept as its own character.
std::string Utf8OfUtf16(std::u16string_view units);

// Collects UTF-16 code units, and bytes that stand for themselves, into UTF-8 text.
class Utf16Sink {
public:
    explicit Utf16Sink(std::string& out)
        : m_out(out) {}
    void unit(char32_t u);
    void raw(char byte);
    // Writes a high surrogate still waiting for its pair; call at the end.
    void flush();

private:
    std::string& m_out;
    char32_t m_high = 0;
};

// The bytes of a text whose every character is below 256, one byte each (the inverse of reading
// bytes as their own characters); false when a character is above 255.
bool Latin1Bytes(std::string_view utf8, std::string& bytes);

} // namespace corvane
