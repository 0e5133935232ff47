#include "routemap/arrivalcounts.h"

#include "traffic/flightline.h"
#include "traffic/flighttable.h"

namespace corvane {

ArrivalCounts::ArrivalCounts(FlightTable& flights)
    : m_flights(flights) {
    m_flights.observers().add(this);
}

ArrivalCounts::~ArrivalCounts() {
    m_flights.observers().remove(this);
}

int ArrivalCounts::codeId(std::string_view code) {
    if (const auto it = m_ids.find(code); it != m_ids.end()) return it->second;
    const int id = static_cast<int>(m_counts.size());
    m_ids.emplace(std::string(code), id);
    m_counts.push_back(0);
    return id;
}

int ArrivalCounts::arrivals(std::string_view code) const {
    const auto it = m_ids.find(code);
    return it == m_ids.end() ? 0 : m_counts[static_cast<std::size_t>(it->second)];
}

// sign +1 counts the line of index as it now stands and remembers its codes; -1 takes back the codes
// remembered for it.
void ArrivalCounts::countLine(int index, int sign) {
    Span& span = m_lines[static_cast<std::size_t>(index)];
    if (sign < 0) {
        for (std::size_t i = span.begin; i < span.end; ++i)
            --m_counts[static_cast<std::size_t>(m_codesOfLines[i])];
        m_unused += span.end - span.begin;
        span = {};
        return;
    }
    span.begin = m_codesOfLines.size();
    DestinationCursor cursor(m_flights.at(index));
    std::string_view code;
    while (cursor.next(code)) {
        const int id = codeId(code);
        ++m_counts[static_cast<std::size_t>(id)];
        m_codesOfLines.push_back(id);
    }
    span.end = m_codesOfLines.size();
}

void ArrivalCounts::recount() {
    m_ids.clear();
    m_counts.clear();
    m_codesOfLines.clear();
    m_lines.assign(static_cast<std::size_t>(m_flights.count()), Span{});
    m_unused = 0;
    for (int i = 0; i < m_flights.count(); ++i) countLine(i, +1);
    m_stale = false;
    ++m_revision;
}

void ArrivalCounts::update() {
    // Lines changed again and again leave their old codes behind; start afresh once they are most.
    if (m_stale || m_unused > m_codesOfLines.size() / 2 + 1024) recount();
}

void ArrivalCounts::rowsInserted(int first, int last) {
    if (m_stale || first != static_cast<int>(m_lines.size())) {
        m_stale = true;
        return;
    }
    for (int i = first; i <= last; ++i) {
        m_lines.emplace_back();
        countLine(i, +1);
    }
    ++m_revision;
}

void ArrivalCounts::cellChanged(int row, int) {
    if (m_stale || row < 0 || row >= static_cast<int>(m_lines.size())) {
        m_stale = true;
        return;
    }
    countLine(row, -1);
    countLine(row, +1);
    ++m_revision;
}

} // namespace corvane
