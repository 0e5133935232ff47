#include "filters/flightfilter.h"

#include "schedule/weektime.h"
#include "traffic/fields.h"
#include "traffic/flightline.h"
#include "traffic/numbers.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

namespace {

std::string Joined(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += fields[i];
    }
    return line;
}

std::string ShiftLegTimes(std::string_view line, int hours) {
    std::vector<std::string> fields;
    for (std::string_view field : SplitFields(line, ',')) fields.emplace_back(field);
    // Departure (6, 12, 18, ...) and arrival (7, 13, 19, ...) of every leg, up to the first empty one.
    for (std::size_t p = 6; p <= fields.size() && !fields[p - 1].empty(); p += kFieldsPerLeg) {
        fields[p - 1] = ShiftTime(fields[p - 1], hours);
        if (p < fields.size() && !fields[p].empty()) fields[p] = ShiftTime(fields[p], hours);
    }
    return Joined(fields);
}

// Replaces the selected entries and counts them.
template <typename Selected>
int Run(FlightTable& flights, const Filter& filter, const FilterProgress& progress, Selected selected) {
    int changed = 0;
    const int count = flights.count();
    for (int i = 0; i < count; ++i) {
        const std::string& line = flights.at(i);
        if (selected(line)) {
            ++changed;
            if (!line.empty()) flights.replace(i, ApplyFilter(line, filter));
        }
        if (progress) progress(i + 1, count);
    }
    return changed;
}

Prompt Refused(const char* title, const char* text) {
    return Prompt{title, text, Icon::Exclamation, Buttons::Ok, Answer::Ok};
}

} // namespace

std::optional<Prompt> CheckSelection(const FilterSelection& selection, bool aircraftChosen) {
    if (selection.kind == FilterSelection::Kind::Airport && selection.icaoPrefix.empty())
        return Refused("Enter ICAO airport code",
                       "You must enter minimun the first letter of the ICAO airport code.");
    if (selection.kind == FilterSelection::Kind::Aircraft && !aircraftChosen)
        return Refused("Select aircraft", "You must select an aircraft from the from the list.");
    return std::nullopt;
}

std::optional<Prompt> CheckFilter(const Filter& filter, const FilterSelection& selection,
                                  bool aircraftChosen) {
    if (auto refused = CheckSelection(selection, aircraftChosen)) return refused;
    // "1,5" would read as 1: a comma is refused as in every field of the traffic formats.
    if (filter.mode != FilterMode::Delete && Contains(filter.value, ','))
        return Refused("Do not use comma", "The character comma '','' is not allowed!");
    const double value = NumericValue(filter.value);
    if (filter.mode == FilterMode::Percent && (value > 100 || value < 1))
        return Refused("Wrong traffic percent value",
                       "The traffic percent value must be a number between 1 and 100.");
    if (filter.mode == FilterMode::Time && (value > 24 || value < -24))
        return Refused("Wrong departure time difference value",
                       "The departure time difference must be a value between -24 and 24.");
    return std::nullopt;
}

std::string FilterDoneText(int changed) {
    return "Done editing " + std::to_string(changed) + " flights!";
}

std::string Counted(long long count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string ApplyFilter(std::string_view line, const Filter& filter) {
    if (line.empty()) return {};
    switch (filter.mode) {
    case FilterMode::Delete:
        return {};
    case FilterMode::Percent:
        return SetField(line, 3, NumberText(NumericValue(filter.value)) + "%", ',');
    case FilterMode::Time:
        return ShiftLegTimes(line, RoundToInt(NumericValue(filter.value)));
    }
    return std::string(line);
}

bool FliesToPrefix(std::string_view line, std::string_view prefix) {
    const std::string wanted = Upper(TrimView(prefix));
    for (std::string_view destination : FlightDestinations(line))
        if (StartsWithIgnoringCase(TrimView(destination), wanted)) return true;
    return false;
}

int FilterAll(FlightTable& flights, const Filter& filter, const FilterProgress& progress) {
    return Run(flights, filter, progress, [](const std::string&) { return true; });
}

int FilterByAirport(FlightTable& flights, const Filter& filter, std::string_view icaoPrefix,
                    const FilterProgress& progress) {
    return Run(flights, filter, progress,
               [&](const std::string& line) { return !line.empty() && FliesToPrefix(line, icaoPrefix); });
}

int FilterByAircraft(TrafficDatabase& db, const Filter& filter, std::string_view title,
                     const FilterProgress& progress) {
    const FlightSelector selector(db, {FilterSelection::Kind::Aircraft, {}, std::string(title)});
    return Run(db.flightTable(), filter, progress,
               [&](const std::string& line) { return selector.selects(line); });
}

int RunFilter(TrafficDatabase& db, const Filter& filter, const FilterSelection& selection,
              const FilterProgress& progress) {
    switch (selection.kind) {
    case FilterSelection::Kind::All:
        return FilterAll(db.flightTable(), filter, progress);
    case FilterSelection::Kind::Airport:
        return FilterByAirport(db.flightTable(), filter, selection.icaoPrefix, progress);
    case FilterSelection::Kind::Aircraft:
        return FilterByAircraft(db, filter, selection.aircraftTitle, progress);
    }
    return 0;
}

FlightSelector::FlightSelector(const TrafficDatabase& db, const FilterSelection& selection)
    : m_kind(selection.kind)
    , m_prefix(selection.icaoPrefix) {
    if (m_kind != FilterSelection::Kind::Aircraft) return;
    const int row = db.aircraftTable().findByTitle(selection.aircraftTitle);
    if (row >= 0) m_number = CanonicalAircraftNumber(db.aircraftTable().cell(row, AircraftTable::Number));
}

bool FlightSelector::selects(std::string_view line) const {
    if (line.empty()) return false;
    switch (m_kind) {
    case FilterSelection::Kind::All:
        return true;
    case FilterSelection::Kind::Airport:
        return FliesToPrefix(line, m_prefix);
    case FilterSelection::Kind::Aircraft:
        return !m_number.empty() && CanonicalAircraftNumber(GetFieldView(line, 1, ',')) == m_number;
    }
    return false;
}

void ApplyLineChanges(FlightTable& flights, std::vector<LineChange>& changes) {
    for (LineChange& change : changes) flights.replace(change.index, std::move(change.line));
}

} // namespace corvane
