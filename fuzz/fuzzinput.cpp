#include "fuzzinput.h"

#include <cstdio>
#include <cstdlib>

namespace corvane {

std::string_view InputText(const std::uint8_t* data, std::size_t size) {
    return size == 0 ? std::string_view() : std::string_view(reinterpret_cast<const char*>(data), size);
}

std::vector<std::string_view> SplitInput(std::string_view input, std::size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const auto p = input.find(kPartSeparator);
        if (p == std::string_view::npos) break;
        parts.push_back(input.substr(0, p));
        input.remove_prefix(p + 1);
    }
    parts.push_back(input);
    parts.resize(count);
    return parts;
}

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

} // namespace corvane
