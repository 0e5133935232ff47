// The aircraft.cfg value reader on any bytes. The input holds two parts separated by a form feed: the
// file, and lookups, one a line, each a section name and a key name separated by a tab.

#include "fuzzinput.h"
#include "platform/textfile.h"
#include "traffic/inifile.h"
#include "traffic/text.h"

#include <string>

namespace {

constexpr std::string_view kFallback = "\x01no such key";

void Lookup(const corvane::IniFile& ini, std::string_view section, std::string_view key) {
    using namespace corvane;
    const std::string value = ini.value(section, key, kFallback);
    if (value == kFallback) return;
    Require(value.size() <= 199, "values are cut to 199 characters");
    Require(value.find('\0') == std::string::npos, "values are cut at a NUL");
    Require(ini.value(Upper(section), Upper(key), kFallback) == value, "names match without regard to case");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    const auto parts = SplitInput(InputText(data, size), 2);
    const IniFile ini(parts[0]);
    Lookup(ini, "fltsim.0", "title");
    Lookup(ini, "General", "atc_type");
    Lookup(ini, "Reference Speeds", "cruise_speed");

    // Each lookup walks the whole file, so their number is bounded to keep one run short.
    LineCursor lines(parts[1]);
    std::string_view line;
    for (int n = 0; n < 64 && lines.next(line); ++n) {
        const auto tab = line.find('\t');
        Lookup(ini, line.substr(0, tab), tab == std::string_view::npos ? "" : line.substr(tab + 1));
    }
    return 0;
}
