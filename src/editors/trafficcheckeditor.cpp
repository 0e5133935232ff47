#include "editors/trafficcheckeditor.h"

#include "checks/turnaround.h"
#include "editors/flighteditor.h"
#include "filters/retime.h"
#include "projects/session.h"
#include "traffic/changejournal.h"
#include "traffic/prompts.h"
#include "traffic/text.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace corvane {

const std::array<std::string_view, TrafficCheckEditor::kColumnCount> TrafficCheckEditor::kHeaders{
    "Severity", "Flight", "Route", "Leg", "Check", "Message"};
const std::array<std::string_view, 3> TrafficCheckEditor::kSeverityItems{"All", "Errors", "Warnings"};

TrafficCheckEditor::TrafficCheckEditor(Session& session, const SettingsStore& settings)
    : m_session(session)
    , m_settings(settings) {
    for (ObserverList* list : watched()) list->add(this);
}

TrafficCheckEditor::~TrafficCheckEditor() {
    for (ObserverList* list : watched()) list->remove(this);
}

std::vector<ObserverList*> TrafficCheckEditor::watched() const {
    TrafficDatabase& db = m_session.db;
    return {&db.flightTable().observers(), &db.airportTable().observers(), &db.aircraftTable().observers(),
            &db.missingAircraftTable().observers()};
}

void TrafficCheckEditor::refresh() {
    m_session.editor->storeFlight();
    m_turnaround = kTurnaroundMinutes.read(m_settings);
    m_report = CheckTraffic(m_session.db, CheckOptions{m_turnaround});
    m_changed = false;
    m_routes.clear();
    m_routeOf.clear();
    m_routeOf.reserve(m_report.problems.size());
    int flight = -1;
    for (const Problem& problem : m_report.problems) {
        if (problem.flight != flight) {
            flight = problem.flight;
            m_routes.push_back(RouteSummary(m_session.db.flightTable().at(flight)));
        }
        m_routeOf.push_back(static_cast<int>(m_routes.size()) - 1);
    }
    rebuildRows();
}

bool TrafficCheckEditor::stale() const {
    return m_changed || kTurnaroundMinutes.read(m_settings) != m_turnaround;
}

CompileChoice TrafficCheckEditor::beforeCompile() {
    refresh();
    const CompileChoice choice = AskBeforeCompile(m_report, m_session.prompts);
    // The question was about errors: those are what the problems shown then are.
    if (choice == CompileChoice::ShowProblems) {
        m_severity = SeverityFilter::Errors;
        m_check = -1;
        rebuildRows();
    }
    return choice;
}

std::string_view TrafficCheckEditor::route(const Problem& problem) const {
    const auto position = static_cast<std::size_t>(&problem - m_report.problems.data());
    return m_routes[static_cast<std::size_t>(m_routeOf[position])];
}

std::string TrafficCheckEditor::cell(int row, int column) const {
    const Problem& p = problem(row);
    switch (column) {
    case SeverityColumn:
        return std::string(SeverityName(p.severity()));
    case FlightColumn:
        return std::to_string(p.flight);
    case RouteColumn:
        return std::string(route(p));
    case LegColumn:
        return p.leg > 0 ? std::to_string(p.leg) : std::string();
    case CheckColumn:
        return std::string(CheckTitle(p.check));
    default:
        return std::string(m_report.message(p));
    }
}

bool TrafficCheckEditor::passes(const Problem& problem) const {
    if (m_severity == SeverityFilter::Errors && problem.severity() != Severity::Error) return false;
    if (m_severity == SeverityFilter::Warnings && problem.severity() != Severity::Warning) return false;
    return m_check < 0 || problem.check == kAllChecks[static_cast<std::size_t>(m_check)];
}

std::string_view TrafficCheckEditor::sortText(const Problem& problem) const {
    switch (m_sortColumn) {
    case RouteColumn:
        return route(problem);
    case CheckColumn:
        return CheckTitle(problem.check);
    default:
        return m_report.message(problem);
    }
}

void TrafficCheckEditor::rebuildRows() {
    // Each row's key: the number of a numeric column, or the first eight letters of a text folded to
    // upper case (in their order as a number), so that most comparisons of a million rows need not
    // look at the texts.
    struct Entry {
        std::uint64_t key;
        int problem;
    };
    const bool textual =
        m_sortColumn == RouteColumn || m_sortColumn == CheckColumn || m_sortColumn == MessageColumn;
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < m_report.problems.size(); ++i) {
        const Problem& p = m_report.problems[i];
        if (!passes(p)) continue;
        std::uint64_t key = 0;
        if (textual) {
            const std::string_view text = sortText(p);
            for (std::size_t b = 0; b < 8; ++b)
                key = key << 8 | (b < text.size() ? static_cast<unsigned char>(UpperChar(text[b])) : 0u);
        } else {
            key = static_cast<std::uint64_t>(m_sortColumn == SeverityColumn ? static_cast<int>(p.severity())
                                             : m_sortColumn == LegColumn    ? p.leg
                                                                            : p.flight);
        }
        entries.push_back({key, static_cast<int>(i)});
    }
    // Equal keys keep report order whichever way the column is sorted.
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        int order = a.key < b.key ? -1 : a.key > b.key ? 1 : 0;
        if (order == 0 && textual)
            order = CompareIgnoringCase(sortText(m_report.problems[static_cast<std::size_t>(a.problem)]),
                                        sortText(m_report.problems[static_cast<std::size_t>(b.problem)]));
        if (!m_ascending) order = -order;
        return order != 0 ? order < 0 : a.problem < b.problem;
    });
    m_rows.clear();
    m_rows.reserve(entries.size());
    for (const Entry& entry : entries) m_rows.push_back(entry.problem);
    ++m_rowsRevision;
}

void TrafficCheckEditor::filterSeverity(SeverityFilter filter) {
    m_severity = filter;
    rebuildRows();
}

void TrafficCheckEditor::filterCheck(int check) {
    m_check = check >= 0 && check < kCheckCount ? check : -1;
    rebuildRows();
}

void TrafficCheckEditor::clickHeader(int column) {
    if (column < 0 || column >= kColumnCount) return;
    m_ascending = column == m_sortColumn ? !m_ascending : true;
    m_sortColumn = column;
    rebuildRows();
}

std::string TrafficCheckEditor::countsText() const {
    std::string text = std::to_string(m_report.errors) + " errors, " + std::to_string(m_report.warnings) +
                       " warnings in " + std::to_string(m_report.flightsWithProblems) +
                       (m_report.flightsWithProblems == 1 ? " flight" : " flights");
    if (rowCount() != static_cast<int>(m_report.problems.size()))
        text += "; " + std::to_string(rowCount()) + " shown";
    return text;
}

bool TrafficCheckEditor::showProblem(int row, FlightEditor& editor) {
    if (row < 0 || row >= rowCount()) return false;
    const Problem& p = problem(row);
    if (editor.showFlight(p.flight, p.leg)) return true;
    m_session.prompts.message("Traffic check",
                              "Flight " + std::to_string(p.flight) +
                                  " was deleted after the check.\r\nRefresh the check to see the problems of "
                                  "the traffic as it is now.",
                              Icon::Exclamation);
    return false;
}

bool TrafficCheckEditor::fixable(int row) const {
    if (row < 0 || row >= rowCount()) return false;
    const Check check = problem(row).check;
    return check == Check::LegTooShort || check == Check::LegTooLong;
}

int TrafficCheckEditor::useProposedArrival(const std::vector<int>& rows) {
    std::map<int, std::vector<int>> legs; // flight -> its legs chosen, flights in table order
    for (int row : rows)
        if (fixable(row)) legs[problem(row).flight].push_back(problem(row).leg);
    if (legs.empty()) return 0;
    m_session.editor->storeFlight();
    if (stale()) {
        refresh();
        m_session.prompts.message(std::string(kUseProposedArrival),
                                  "The traffic changed since the check, so it was checked again.\r\n"
                                  "Choose the problems to fix once more.",
                                  Icon::Exclamation);
        return 0;
    }
    FlightTable& flights = m_session.db.flightTable();
    Retimer retimer(m_session.db);
    RetimeCounts counts;
    {
        StepScope step(m_session.db.journal(), std::string(kUseProposedArrival));
        for (const auto& [flight, chosen] : legs) {
            std::string retimed = retimer.retimed(flights.at(flight), counts, chosen);
            if (retimed != flights.at(flight)) flights.replace(flight, std::move(retimed));
        }
    }
    m_session.editor->reloadFlight(); // the flight on screen may be one of them
    refresh();
    if (counts.kept() > 0)
        m_session.prompts.message(std::string(kUseProposedArrival), RetimeDoneText(counts),
                                  Icon::Exclamation);
    return counts.legs;
}

} // namespace corvane
