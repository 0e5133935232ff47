#include "timetable/iatacodes.h"

#include "platform/textfile.h"
#include "traffic/fields.h"
#include "traffic/text.h"

#include <algorithm>

namespace corvane {

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsIcao(std::string_view code) {
    return code.size() == 4 && std::all_of(code.begin(), code.end(),
                                           [](char c) { return IsLetter(c) || (c >= '0' && c <= '9'); });
}

} // namespace

bool IataCodes::looksLikeIata(std::string_view code) {
    return code.size() == 3 && std::all_of(code.begin(), code.end(), IsLetter);
}

IataCodes IataCodes::parse(std::string_view bytes) {
    IataCodes table;
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        const std::string_view iata = TrimView(TakeField(line, ','));
        const std::string_view icao = TrimView(line);
        if (!looksLikeIata(iata) || !IsIcao(icao)) continue;
        std::vector<std::string>& codes = table.m_codes[Upper(iata)];
        std::string code = Upper(icao);
        if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(std::move(code));
    }
    return table;
}

const std::vector<std::string>& IataCodes::icaoCodes(std::string_view iata) const {
    static const std::vector<std::string> none;
    const auto it = m_codes.find(Upper(iata));
    return it == m_codes.end() ? none : it->second;
}

} // namespace corvane
