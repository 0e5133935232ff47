#include "editors/airportorder.h"

#include "schedule/flighttime.h"
#include "traffic/numbers.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <numeric>

namespace corvane {

AirportOrder::AirportOrder(AirportTable& table)
    : m_table(table) {
    m_table.observers().add(this);
}

AirportOrder::~AirportOrder() {
    m_table.observers().remove(this);
}

bool AirportOrder::numericColumn() const {
    return m_column == AirportTable::Elevation || m_column == AirportTable::Latitude ||
           m_column == AirportTable::Longitude;
}

double AirportOrder::numericKey(int row) const {
    const std::string& text = m_table.cell(row, m_column);
    if (m_column == AirportTable::Elevation) return NumericValue(text);
    // Coordinates read with east negative (the flight time's convention); the list wants west negative.
    const double degrees = CoordinateDegrees(text);
    return m_column == AirportTable::Longitude ? -degrees : degrees;
}

bool AirportOrder::less(int a, int b) const {
    if (numericColumn()) {
        const double x = numericKey(a), y = numericKey(b);
        return m_ascending ? x < y : x > y;
    }
    const int c = CompareIgnoringCase(m_table.cell(a, m_column), m_table.cell(b, m_column));
    return m_ascending ? c < 0 : c > 0;
}

bool AirportOrder::matches(int tableRow) const {
    if (m_folded.empty()) return true;
    for (int column : {AirportTable::Icao, AirportTable::Name, AirportTable::Country})
        if (SearchFold(m_table.cell(tableRow, column)).find(m_folded) != std::string::npos) return true;
    return false;
}

int AirportOrder::total() const {
    return m_table.rowCount();
}

const std::vector<int>& AirportOrder::order() const {
    if (!m_valid) {
        m_order.clear();
        m_order.reserve(static_cast<std::size_t>(m_table.rowCount()));
        for (int row = 0; row < m_table.rowCount(); ++row)
            if (matches(row)) m_order.push_back(row);
        if (numericColumn()) {
            // Each row's number once, not once per comparison.
            std::vector<double> keys(static_cast<std::size_t>(m_table.rowCount()));
            for (int row : m_order) keys[static_cast<std::size_t>(row)] = numericKey(row);
            std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
                const double x = keys[static_cast<std::size_t>(a)], y = keys[static_cast<std::size_t>(b)];
                return m_ascending ? x < y : x > y;
            });
        } else {
            std::stable_sort(m_order.begin(), m_order.end(), [this](int a, int b) { return less(a, b); });
        }
        m_valid = true;
    }
    return m_order;
}

void AirportOrder::search(std::string_view text) {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_searchText = text;
    m_folded = SearchFold(text);
    m_valid = false;
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

int AirportOrder::position(int tableRow) const {
    const auto& rows = order();
    const auto it = std::find(rows.begin(), rows.end(), tableRow);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

void AirportOrder::sortBy(int column, bool ascending) {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_column = column;
    m_ascending = ascending;
    m_valid = false;
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

void AirportOrder::rowsInserted(int first, int last) {
    if (!m_valid) {
        // Nobody has seen the order since it was last invalidated: start the views over.
        aboutToReset();
        wasReset();
        return;
    }
    // Rows are appended to the table one at a time; each takes its sorted place in the view.
    for (int row = first; row <= last; ++row) {
        for (int& r : m_order)
            if (r >= row) ++r;
        if (!matches(row)) continue;
        const auto at = std::upper_bound(m_order.begin(), m_order.end(), row,
                                         [this](int a, int b) { return less(a, b); });
        const int position = static_cast<int>(at - m_order.begin());
        m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeInserted(position, position); });
        m_order.insert(at, row);
        m_observers.notify([&](TableObserver& o) { o.rowsInserted(position, position); });
    }
}

void AirportOrder::rowsAboutToBeRemoved(int first, int last) {
    if (!m_valid) {
        m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
        return;
    }
    for (int row = last; row >= first; --row) {
        const int at = position(row);
        if (at < 0) continue; // not shown
        m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeRemoved(at, at); });
        m_order.erase(m_order.begin() + at);
        m_observers.notify([&](TableObserver& o) { o.rowsRemoved(at, at); });
    }
}

void AirportOrder::rowsRemoved(int first, int last) {
    if (!m_valid) {
        m_observers.notify([](TableObserver& o) { o.wasReset(); });
        return;
    }
    const int removed = last - first + 1;
    for (int& r : m_order)
        if (r > last) r -= removed;
}

void AirportOrder::cellChanged(int row, int column) {
    if (!m_valid) return;
    const int at = position(row);
    if (at < 0) return;
    m_observers.notify([&](TableObserver& o) { o.cellChanged(at, column); });
}

void AirportOrder::aboutToReset() {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
}

void AirportOrder::wasReset() {
    m_valid = false;
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

} // namespace corvane
