#include "platform/regtext.h"

#include "platform/utf8.h"

#include <cstdio>

namespace corvane {

namespace {

// The letters Wine writes after a backslash for the control characters that have one ('.': none).
constexpr std::string_view kControlLetters = ".......abtnvfr.............e....";

char ControlEscape(char32_t c) {
    return c < kControlLetters.size() && kControlLetters[c] != '.' ? kControlLetters[c] : 0;
}

char32_t ControlOfEscape(char letter) {
    const auto at = letter == '.' ? std::string_view::npos : kControlLetters.find(letter);
    return at == std::string_view::npos ? 0 : static_cast<char32_t>(at);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

// value in hex (base 16) or octal (base 8), with at least minDigits digits.
void AppendNumber(std::string& out, char32_t value, int base, int minDigits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, base == 16 ? "%0*x" : "%0*o", minDigits,
                  static_cast<unsigned>(value));
    out += buffer;
}

} // namespace

std::string UnescapeRegText(std::string_view escaped) {
    std::string out;
    out.reserve(escaped.size());
    Utf16Sink sink(out);
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const char c = escaped[i];
        if (c != '\\' || i + 1 == escaped.size()) {
            sink.raw(c);
            continue;
        }
        const char next = escaped[++i];
        if (next == 'x' && i + 1 < escaped.size() && HexDigit(escaped[i + 1]) >= 0) {
            char32_t unit = 0;
            for (int k = 0; k < 4 && i + 1 < escaped.size() && HexDigit(escaped[i + 1]) >= 0; ++k)
                unit = unit * 16 + static_cast<char32_t>(HexDigit(escaped[++i]));
            sink.unit(unit);
        } else if (IsOctal(next)) {
            char32_t unit = static_cast<char32_t>(next - '0');
            for (int k = 1; k < 3 && i + 1 < escaped.size() && IsOctal(escaped[i + 1]); ++k)
                unit = unit * 8 + static_cast<char32_t>(escaped[++i] - '0');
            sink.unit(unit);
        } else if (const char32_t control = ControlOfEscape(next)) {
            sink.unit(control);
        } else {
            sink.raw(next); // \\, \", \[, \] and any other escaped character stand for themselves
        }
    }
    sink.flush();
    return out;
}

std::string EscapeRegText(std::string_view text, std::string_view closers) {
    const std::u16string units = Utf16Units(text);
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t u = units[i];
        const char32_t next = i + 1 < units.size() ? units[i + 1] : 0;
        if (u > 127) {
            // A following hex digit would be read as part of the escape unless all four digits stand.
            const bool hexFollows = next < 128 && HexDigit(static_cast<char>(next)) >= 0;
            out += "\\x";
            AppendNumber(out, u, 16, hexFollows ? 4 : 1);
        } else if (u < 32) {
            out += '\\';
            if (const char letter = ControlEscape(u))
                out += letter;
            else
                AppendNumber(out, u, 8, next >= '0' && next <= '7' ? 3 : 1);
        } else {
            const char c = static_cast<char>(u);
            if (c == '\\' || closers.find(c) != std::string_view::npos) out += '\\';
            out += c;
        }
    }
    return out;
}

std::size_t FindUnescaped(std::string_view text, char closer, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == closer)
            return i;
    }
    return std::string_view::npos;
}

bool SameRegName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

} // namespace corvane
