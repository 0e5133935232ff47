#include "traffic/flightline.h"

#include "traffic/fields.h"
#include "traffic/text.h"

#include <cstdint>
#include <cstring>

namespace corvane {

namespace {

std::string_view Field(const std::vector<std::string_view>& fields, int position) {
    return position >= 1 && position <= static_cast<int>(fields.size())
               ? fields[static_cast<std::size_t>(position - 1)]
               : std::string_view();
}

// A time field: the day before the first "/" (if any) and the time after it.
void SplitDayTime(std::string_view field, std::string& day, std::string& time) {
    const auto slash = field.find('/');
    if (slash == std::string_view::npos) {
        time = field;
        return;
    }
    day = field.substr(0, slash);
    time = field.substr(slash + 1);
}

LegRow RowOf(const std::vector<std::string_view>& fields, int destination) {
    LegRow row;
    row.destination = Upper(Field(fields, destination));
    SplitDayTime(Field(fields, destination - 5), row.departureDay, row.departure);
    SplitDayTime(Field(fields, destination - 4), row.arrivalDay, row.arrival);
    row.altitude = Field(fields, destination - 3);
    row.tailFlag = Field(fields, destination - 2);
    row.flightNumber = Field(fields, destination - 1);
    return row;
}

std::string_view WithoutSuffix(std::string_view text, std::string_view suffix) {
    if (text.size() >= suffix.size() && EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix))
        text.remove_suffix(suffix.size());
    return text;
}

void AppendField(std::string& line, std::string_view field) {
    line.append(field);
    line += ',';
}

void AppendTime(std::string& line, bool weekly, const std::string& day, const std::string& time) {
    if (weekly) {
        line += day;
        line += '/';
    }
    AppendField(line, time);
}

void AppendLeg(std::string& line, bool weekly, const LegRow& row) {
    AppendTime(line, weekly, row.departureDay, row.departure);
    AppendTime(line, weekly, row.arrivalDay, row.arrival);
    AppendField(line, row.altitude);
    AppendField(line, row.tailFlag);
    AppendField(line, row.flightNumber);
    AppendField(line, row.destination);
}

// Moves at past up to count commas before end and returns how many are left to skip. Eight bytes
// are counted at a time while the commas in them are not enough: the writers walk every flight line.
int SkipCommas(const char*& at, const char* end, int count) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t kCommas = 0x0101010101010101ull * ',';
    while (count > 0 && end - at >= 8) {
        std::uint64_t word;
        std::memcpy(&word, at, sizeof word);
        const std::uint64_t x = word ^ kCommas;                            // a zero byte where a comma is
        const std::uint64_t commas = ~(((x & kLow7) + kLow7) | x | kLow7); // its high bit set there
        const int found = static_cast<int>(((commas >> 7) * 0x0101010101010101ull) >> 56);
        if (found >= count) break;
        count -= found;
        at += 8;
    }
    for (; count > 0 && at != end; ++at) count -= *at == ',';
    return count;
}

} // namespace

FlightForm DecodeFlightLine(std::string_view line) {
    const auto fields = SplitFields(line, ',');
    FlightForm form;
    form.aircraftNumber = Field(fields, 1);
    form.tail = Field(fields, 2);
    form.percent = WithoutSuffix(Field(fields, 3), "%");
    const std::string_view period = Field(fields, 4);
    form.repeat = period == "WEEK" ? std::string(period) : std::string(WithoutSuffix(period, "Hr"));
    form.ifr = Field(fields, 5) == "IFR";

    int p = kFirstDestinationField + kFieldsPerLeg;
    while (!Field(fields, p).empty()) {
        form.legs.push_back(RowOf(fields, p - kFieldsPerLeg));
        p += kFieldsPerLeg;
    }
    form.legs.insert(form.legs.begin(), RowOf(fields, p - kFieldsPerLeg));
    return form;
}

std::string EncodeFlightLine(const FlightForm& form) {
    std::string line;
    AppendField(line, form.aircraftNumber);
    AppendField(line, form.tail);
    line += form.percent;
    line += "%,";
    line += form.isWeekly() ? "WEEK," : form.repeat + "Hr,";
    line += form.ifr ? "IFR," : "VFR,";
    const bool weekly = form.isWeekly();
    for (std::size_t r = 1; r < form.legs.size(); ++r) AppendLeg(line, weekly, form.legs[r]);
    if (!form.legs.empty()) AppendLeg(line, weekly, form.legs.front());
    return line;
}

std::vector<std::string_view> FlightDestinations(std::string_view line) {
    std::vector<std::string_view> destinations;
    DestinationCursor cursor(line);
    std::string_view destination;
    while (cursor.next(destination)) destinations.push_back(destination);
    return destinations;
}

bool DestinationCursor::next(std::string_view& destination) {
    if (m_done) return false;
    // Skip the fields before the next destination; a line that ends first has no more destinations.
    const char* at = m_rest.data();
    m_skip = SkipCommas(at, at + m_rest.size(), m_skip);
    m_rest.remove_prefix(static_cast<std::size_t>(at - m_rest.data()));
    if (m_skip > 0) {
        m_done = true;
        return false;
    }
    destination = TakeField(m_rest, ',');
    m_skip = kFieldsPerLeg - 1;
    if (destination.empty()) m_done = true;
    return !m_done;
}

} // namespace corvane
