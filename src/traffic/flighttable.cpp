#include "traffic/flighttable.h"

#include <algorithm>

namespace corvane {

int FlightTable::nonEmptyCount() const {
    return static_cast<int>(
        std::count_if(m_lines.begin(), m_lines.end(), [](const std::string& l) { return !l.empty(); }));
}

int FlightTable::append(std::string line) {
    const int index = count();
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeInserted(index, index); });
    m_lines.push_back(std::move(line));
    m_observers.notify([&](TableObserver& o) { o.rowsInserted(index, index); });
    return index;
}

void FlightTable::replace(int index, std::string line) {
    if (index < 0 || index >= count()) return;
    m_lines[static_cast<std::size_t>(index)] = std::move(line);
    m_observers.notify([&](TableObserver& o) { o.cellChanged(index, 0); });
}

void FlightTable::clear() {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_lines.clear();
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

void FlightTable::swapLines(FlightTable& other) {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    other.m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_lines.swap(other.m_lines);
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
    other.m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

void FlightTable::linesChanged() {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

} // namespace corvane
