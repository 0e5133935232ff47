#pragma once
// The IATA codes of airports (the three letters timetables write) and the ICAO codes they stand for,
// from the table iata.dat beside the program: one pair a line, "IATA,ICAO" (data/iata.dat.README.md
// tells where it comes from). A code listed with two ICAO codes is shared, and names neither.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class IataCodes {
public:
    // The pairs of a table's bytes; a line that is not three letters, a comma and a code of four letters
    // and digits is skipped. Letter case is ignored.
    static IataCodes parse(std::string_view bytes);

    // The ICAO codes (upper case) that the code stands for, in the order of the table: none when the
    // table does not know it, two or more when airports share it.
    const std::vector<std::string>& icaoCodes(std::string_view iata) const;
    std::size_t size() const { return m_codes.size(); }

    // Whether code is written as an IATA code: three letters.
    static bool looksLikeIata(std::string_view code);

private:
    std::unordered_map<std::string, std::vector<std::string>> m_codes;
};

} // namespace corvane
