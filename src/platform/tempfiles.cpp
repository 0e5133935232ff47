#include "platform/tempfiles.h"

#include "platform/hostfs.h"
#include "platform/paths.h"

#include <charconv>
#include <optional>

namespace corvane {

namespace {

struct TempName {
    char system = 0;
    hostfs::ProcessMark mark;
};

// Takes a number of digits from the front of text.
template <typename Number> std::optional<Number> TakeNumber(std::string_view& text) {
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end == text.data() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return number;
}

bool TakeChar(std::string_view& text, char c) {
    if (!text.starts_with(c)) return false;
    text.remove_prefix(1);
    return true;
}

bool IsLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::optional<TempName> ParseTempName(std::string_view name) {
    if (!name.starts_with(kTempFilePrefix)) return std::nullopt;
    name.remove_prefix(kTempFilePrefix.size());
    TempName parsed;
    if (name.empty() || (name.front() != 'p' && name.front() != 'w')) return std::nullopt;
    parsed.system = name.front();
    name.remove_prefix(1);
    const auto id = TakeNumber<long>(name);
    if (!id || !TakeChar(name, '.')) return std::nullopt;
    const auto start = TakeNumber<std::uint64_t>(name);
    if (!start || !TakeChar(name, '-') || name.size() != 6) return std::nullopt;
    for (const char c : name)
        if (!IsLetterOrDigit(c)) return std::nullopt;
    parsed.mark = {*id, *start};
    return parsed;
}

} // namespace

std::string TempFilePattern(const std::string& folder) {
    const hostfs::ProcessMark mark = hostfs::OwnProcessMark();
    return WithSeparator(folder) + std::string(kTempFilePrefix) + hostfs::kProcessMarkSystem +
           std::to_string(mark.id) + "." + std::to_string(mark.start) + "-XXXXXX";
}

bool IsTempFileName(std::string_view name) {
    return ParseTempName(name).has_value();
}

bool IsLeftOverTempFile(std::string_view name) {
    const auto parsed = ParseTempName(name);
    return parsed && parsed->system == hostfs::kProcessMarkSystem && !hostfs::ProcessRunning(parsed->mark);
}

} // namespace corvane
