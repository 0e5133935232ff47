#include "tools/trafficcontainer.h"

#include "platform/hostfs.h"

#include <array>

namespace corvane {

namespace {

constexpr std::size_t kHeaderSize = kTrafficHeaderSize;

void PutNumber(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t GetNumber(std::string_view in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    return value;
}

std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

std::nullopt_t Fail(std::string* error, const char* text) {
    if (error) *error = text;
    return std::nullopt;
}

// Takes one length-prefixed text off the front of payload.
bool TakeText(std::string_view& payload, std::string& text) {
    if (payload.size() < 8) return false;
    const std::uint64_t length = GetNumber(payload, 0, 8);
    payload.remove_prefix(8);
    if (length > payload.size()) return false;
    text.assign(payload.substr(0, static_cast<std::size_t>(length)));
    payload.remove_prefix(static_cast<std::size_t>(length));
    return true;
}

} // namespace

std::uint32_t Crc32(std::string_view bytes) {
    static const auto table = MakeCrcTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char b : bytes) crc = table[(crc ^ static_cast<unsigned char>(b)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string PackTrafficBgl(const TrafficTexts& texts) {
    std::string payload;
    for (const std::string* text : {&texts.aircraft, &texts.airports, &texts.flightPlans}) {
        PutNumber(payload, text->size(), 8);
        payload += *text;
    }
    std::string out(kTrafficMagic);
    PutNumber(out, kTrafficFormatVersion, 4);
    PutNumber(out, Crc32(payload), 4);
    PutNumber(out, payload.size(), 8);
    return out + payload;
}

std::optional<std::string> CheckTrafficHeader(std::string_view header, std::uint64_t fileSize) {
    if (header.size() < kTrafficMagic.size() || header.substr(0, kTrafficMagic.size()) != kTrafficMagic)
        return "not a traffic file of these tools (wrong header)";
    if (header.size() < kHeaderSize || fileSize < kHeaderSize) return "the file is truncated";
    if (GetNumber(header, 8, 4) != kTrafficFormatVersion) return "unknown format version";
    if (GetNumber(header, 16, 8) != fileSize - kHeaderSize)
        return "the file is truncated or has bytes past its end";
    return std::nullopt;
}

std::optional<std::string> CheckTrafficFileHeader(const std::string& path) {
    std::uint64_t size = 0;
    const auto header = hostfs::ReadFileStart(path, kHeaderSize, &size, nullptr);
    if (!header) return "the file cannot be opened";
    return CheckTrafficHeader(*header, size);
}

std::optional<TrafficTexts> UnpackTrafficBgl(std::string_view bytes, std::string* error) {
    if (const auto problem = CheckTrafficHeader(bytes, bytes.size())) {
        if (error) *error = *problem;
        return std::nullopt;
    }
    const std::string_view payload = bytes.substr(kHeaderSize);
    if (GetNumber(bytes, 12, 4) != Crc32(payload)) return Fail(error, "the checksum does not match");

    TrafficTexts texts;
    std::string_view rest = payload;
    if (!TakeText(rest, texts.aircraft) || !TakeText(rest, texts.airports) ||
        !TakeText(rest, texts.flightPlans) || !rest.empty())
        return Fail(error, "the contents are damaged");
    return texts;
}

} // namespace corvane
