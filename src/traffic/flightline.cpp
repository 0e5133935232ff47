#include "traffic/flightline.h"

#include "traffic/fields.h"
#include "traffic/text.h"

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
    const auto fields = SplitFields(line, ',');
    std::vector<std::string_view> destinations;
    for (int p = kFirstDestinationField; !Field(fields, p).empty(); p += kFieldsPerLeg)
        destinations.push_back(Field(fields, p));
    return destinations;
}

} // namespace corvane
