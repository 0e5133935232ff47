#pragma once
// What the fuzz targets share: cutting one input into the several files a reader takes, and a check
// that stops the run (libFuzzer then reports the input) when a property of the code does not hold.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane {

// The separator between the parts of one input: a form feed, which no traffic format gives a meaning.
inline constexpr char kPartSeparator = '\f';

std::string_view InputText(const std::uint8_t* data, std::size_t size);

// Exactly count parts: the input cut at its first count - 1 separators; missing parts are empty.
std::vector<std::string_view> SplitInput(std::string_view input, std::size_t count);

// Prints what failed and aborts unless condition holds.
void Require(bool condition, const char* what);

} // namespace corvane
