#pragma once
// The stand-in tools' own traffic.bgl: the three text databases kept byte for byte in one checked
// container. Layout, numbers little-endian:
//   0  magic "CVTRAFIC"   8 bytes
//   8  format version     4 bytes (1)
//  12  CRC-32 of payload  4 bytes (the zlib/PNG polynomial)
//  16  payload length     8 bytes
//  24  payload: for aircraft, airports and flight plans in turn, an 8-byte length and the bytes
// A file is accepted only when every one of these holds and the payload ends exactly at the file end.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kTrafficMagic = "CVTRAFIC";
inline constexpr std::uint32_t kTrafficFormatVersion = 1;

struct TrafficTexts {
    std::string aircraft;
    std::string airports;
    std::string flightPlans;
};

std::string PackTrafficBgl(const TrafficTexts& texts);

// The texts, or nullopt with error set to what is wrong with the container.
std::optional<TrafficTexts> UnpackTrafficBgl(std::string_view bytes, std::string* error = nullptr);

std::uint32_t Crc32(std::string_view bytes);

inline constexpr std::size_t kTrafficHeaderSize = 24;

// Checks the header (the first bytes of a file, at least kTrafficHeaderSize when the file is that
// long) of a file of fileSize bytes without its payload: magic, version and payload length. Returns
// what is wrong, or nullopt.
std::optional<std::string> CheckTrafficHeader(std::string_view header, std::uint64_t fileSize);

// The header check for the file at path, reading only its header. Returns what is wrong, or nullopt.
std::optional<std::string> CheckTrafficFileHeader(const std::string& path);

} // namespace corvane
