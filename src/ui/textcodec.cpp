#include "ui/textcodec.h"

#include <QFile>
#include <array>

namespace corvane::ui {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the C1 control
// characters of the same value, as Windows itself maps them, so that they survive a round trip.
constexpr std::array<char16_t, 32> kHighTable{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                              0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                              0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<char> ByteOf(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighTable.size(); ++i)
        if (kHighTable[i] == c) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

} // namespace

QString ToDisplay(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text += QChar(b >= 0x80 && b <= 0x9F ? kHighTable[b - 0x80] : char16_t(b));
    }
    return text;
}

std::optional<std::string> FromDisplay(const QString& text, QChar* refused) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const auto byte = ByteOf(c.unicode());
        if (!byte) {
            if (refused) *refused = c;
            return std::nullopt;
        }
        bytes += *byte;
    }
    return bytes;
}

// Host paths are UTF-8 in the core on every system (Qt's own local encoding on Linux; on Windows the
// core speaks UTF-8 to the wide-character calls), whatever the ANSI code page.
QString PathToDisplay(const std::string& path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

std::string PathFromDisplay(const QString& path) {
    return path.toUtf8().toStdString();
}

namespace {

// True for valid UTF-8 that uses at least one multi-byte sequence.
bool IsMultiByteUtf8(std::string_view bytes) {
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int length = b < 0x80           ? 1
                           : (b >> 5) == 0x6  ? 2
                           : (b >> 4) == 0xE  ? 3
                           : (b >> 3) == 0x1E ? 4
                                              : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > bytes.size()) return false;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]) >> 6) != 0x2)
                return false;
        multiByte = multiByte || length > 1;
        i += static_cast<std::size_t>(length);
    }
    return multiByte;
}

} // namespace

QString MessageToDisplay(std::string_view bytes) {
    QString text = IsMultiByteUtf8(bytes)
                       ? QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))
                       : ToDisplay(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString RefusedCharacterTitle() {
    return QStringLiteral("Character not allowed");
}

std::string RefusedCharacterText(QChar refused) {
    // The message itself must be showable: name the character by its code point.
    return "The character U+" +
           QString::number(refused.unicode(), 16).toUpper().rightJustified(4, u'0').toStdString() +
           " cannot be stored in the FS2002 traffic files.\r\nPlease use another character.";
}

} // namespace corvane::ui
