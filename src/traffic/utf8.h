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

// The bytes of a text whose every character is below 256, one byte each (the inverse of reading
// bytes as their own characters); false when a character is above 255.
bool Latin1Bytes(std::string_view utf8, std::string& bytes);

} // namespace corvane
