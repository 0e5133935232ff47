#include "projects/exportcriteria.h"

#include "platform/progress.h"
#include "traffic/fields.h"
#include "traffic/flightline.h"
#include "traffic/numbers.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <optional>

namespace corvane {

namespace {

Prompt Refusal(std::string title, std::string text) {
    return {std::move(title), std::move(text), Icon::Exclamation, Buttons::Ok, Answer::Ok};
}

std::string_view Field(const std::vector<std::string_view>& fields, int n) {
    return n >= 1 && n <= static_cast<int>(fields.size()) ? fields[static_cast<std::size_t>(n - 1)]
                                                          : std::string_view();
}

bool IsRepeatItem(std::string_view text) {
    return std::find(kRepeatItems.begin(), kRepeatItems.end(), text) != kRepeatItems.end();
}

// The checked criteria, prepared once for the walk over the flights.
class Matcher {
public:
    Matcher(const TrafficDatabase& db, const ExportCriteria& criteria)
        : m_criteria(criteria)
        , m_prefix(Upper(Trim(criteria.icaoPrefix)))
        , m_percent(NumericValue(criteria.percent)) {
        if (criteria.isChecked(Criterion::Aircraft)) {
            const AircraftTable& aircraft = db.aircraftTable();
            if (const int row = aircraft.findByTitle(criteria.aircraftTitle); row >= 0)
                m_wantedAircraft = CanonicalAircraftNumber(aircraft.cell(row, AircraftTable::Number));
        }
    }

    bool matches(std::string_view line) const {
        const auto fields = SplitFields(line, ',');
        return (!checked(Criterion::AirportPrefix) || visitsPrefix(fields)) &&
               (!checked(Criterion::Percent) || percentPasses(Field(fields, 3))) &&
               (!checked(Criterion::Aircraft) || aircraftPasses(Field(fields, 1))) &&
               (!checked(Criterion::Rules) || rulesPass(Field(fields, 5))) &&
               (!checked(Criterion::Repeat) || repeatPasses(Field(fields, 4)));
    }

private:
    bool checked(Criterion c) const { return m_criteria.isChecked(c); }

    // Destinations are fields 11, 17, 23, ... up to the first empty one.
    bool visitsPrefix(const std::vector<std::string_view>& fields) const {
        for (int p = kFirstDestinationField; !Field(fields, p).empty(); p += kFieldsPerLeg)
            if (Upper(TrimView(Field(fields, p))).starts_with(m_prefix)) return true;
        return false;
    }

    bool percentPasses(std::string_view field) const {
        const double value = NumericValue(TrimView(field.substr(0, field.find('%'))));
        switch (m_criteria.comparison) {
        case PercentComparison::LessThan:
            return value < m_percent;
        case PercentComparison::EqualTo:
            return value == m_percent;
        case PercentComparison::MoreThan:
            return value > m_percent;
        case PercentComparison::None:
            break;
        }
        return false;
    }

    bool aircraftPasses(std::string_view field) const {
        return m_wantedAircraft && CanonicalAircraftNumber(field) == *m_wantedAircraft;
    }

    // Only the opposite rule fails: a line with any other rules text passes either choice.
    bool rulesPass(std::string_view field) const {
        const std::string rules = Upper(TrimView(field));
        if (m_criteria.ifr) return rules != "VFR";
        if (m_criteria.vfr) return rules != "IFR";
        return true;
    }

    // 24Hr is "24 hours", WEEK stays "WEEK"; the text must equal the chosen item exactly.
    bool repeatPasses(std::string_view field) const {
        std::string period = Upper(TrimView(field));
        if (period != "WEEK") period = NumberText(NumericValue(period)) + " hours";
        return period == m_criteria.repeat;
    }

    const ExportCriteria& m_criteria;
    std::string m_prefix;
    double m_percent;
    std::optional<std::string> m_wantedAircraft;
};

} // namespace

void CheckCriterion(ExportCriteria& criteria, Criterion criterion, bool checked) {
    criteria.checked[static_cast<std::size_t>(criterion)] = checked;
    if (checked) {
        if (criterion == Criterion::Rules) {
            criteria.ifr = true;
            criteria.vfr = false;
        }
        return;
    }
    switch (criterion) {
    case Criterion::AirportPrefix:
        criteria.icaoPrefix.clear();
        break;
    case Criterion::Percent:
        criteria.comparison = PercentComparison::None;
        criteria.percent.clear();
        break;
    case Criterion::Aircraft:
        criteria.aircraftTitle.clear();
        break;
    case Criterion::Rules:
        criteria.ifr = criteria.vfr = false;
        break;
    case Criterion::Repeat:
        criteria.repeat.clear();
        break;
    }
}

ExportCheck ValidateExport(const TrafficDatabase& db, const ExportCriteria& c) {
    using Result = ExportCheck::Result;
    if (db.flightTable().isEmpty()) return {Result::NothingToDo, {}};
    if (c.isChecked(Criterion::AirportPrefix) && c.icaoPrefix.empty())
        return {Result::Refused,
                Refusal("Enter ICAO airport code",
                        "You must enter minimun the first letter of the ICAO airport code.")};
    if (c.isChecked(Criterion::Percent)) {
        const double percent = NumericValue(c.percent);
        if (percent > 100 || percent < 1)
            return {Result::Refused, Refusal("Enter new percent value",
                                             "The percent value must be a number between 1 and 100.")};
        if (c.comparison == PercentComparison::None)
            return {Result::Refused, Refusal("Choose comparison type",
                                             "You must choose a percent comparison type form the list.")};
    }
    if (c.isChecked(Criterion::Aircraft) &&
        (c.aircraftTitle.empty() || db.aircraftTable().findByTitle(c.aircraftTitle) < 0))
        return {Result::Refused, Refusal("Choose aircraft", "You must choose an aircraft from the list.")};
    if (c.isChecked(Criterion::Repeat) && !IsRepeatItem(c.repeat))
        return {Result::Refused,
                Refusal("Choose repeat frequency", "You must choose a repeat frequency from the list.")};
    if (std::none_of(c.checked.begin(), c.checked.end(), [](bool b) { return b; }))
        return {Result::Refused, Refusal("Could not export project file",
                                         "You must choose at least one of the checkboxes above.")};
    return {Result::Ready, {}};
}

std::vector<std::string> SelectExportFlights(const TrafficDatabase& db, const ExportCriteria& criteria,
                                             Progress& progress) {
    ProgressScope scope(progress, "Export Corvane Data");
    ProgressTicker ticker(progress);
    const Matcher matcher(db, criteria);
    const std::vector<std::string>& lines = db.flightTable().lines();
    std::vector<std::string> selection;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ticker.show(static_cast<int>(i * 100 / lines.size()));
        if (!lines[i].empty() && matcher.matches(lines[i])) selection.push_back(lines[i]);
    }
    return selection;
}

std::vector<std::string> ExportAircraftTitles(const TrafficDatabase& db) {
    const AircraftTable& aircraft = db.aircraftTable();
    std::vector<std::string> titles;
    titles.reserve(static_cast<std::size_t>(aircraft.rowCount()));
    for (int row = 0; row < aircraft.rowCount(); ++row)
        titles.push_back(aircraft.cell(row, AircraftTable::Title));
    std::stable_sort(titles.begin(), titles.end(), LessIgnoringCase());
    return titles;
}

} // namespace corvane
