#include "platform/utf8.h"

namespace corvane {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::vector<char32_t> CodePoints(std::string_view text) {
    std::vector<char32_t> result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!valid || c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            result.push_back(b);
            ++i;
        } else {
            result.push_back(c);
            i += static_cast<std::size_t>(length);
        }
    }
    return result;
}

std::u16string Utf16Units(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (const char32_t c : CodePoints(text)) {
        if (c >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(c));
        }
    }
    return units;
}

void Utf16Sink::unit(char32_t u) {
    if (m_high && u >= 0xDC00 && u <= 0xDFFF) {
        AppendUtf8(m_out, 0x10000 + ((m_high - 0xD800) << 10) + (u - 0xDC00));
        m_high = 0;
        return;
    }
    flush();
    if (u >= 0xD800 && u <= 0xDBFF)
        m_high = u;
    else
        AppendUtf8(m_out, u);
}

void Utf16Sink::raw(char byte) {
    flush();
    m_out += byte;
}

void Utf16Sink::flush() {
    if (m_high) AppendUtf8(m_out, m_high);
    m_high = 0;
}

std::string Utf8OfUtf16(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    Utf16Sink sink(out);
    for (const char16_t u : units) sink.unit(u);
    sink.flush();
    return out;
}

bool Latin1Bytes(std::string_view utf8, std::string& bytes) {
    bytes.clear();
    for (const char32_t c : CodePoints(utf8)) {
        if (c > 0xFF) return false;
        bytes += static_cast<char>(c);
    }
    return true;
}

} // namespace corvane
