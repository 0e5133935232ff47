#include "traffic/texttable.h"

#include "traffic/text.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>

namespace corvane {

TextTable::TextTable(int columnCount, Order order, std::vector<int> indexedColumns)
    : m_columnCount(columnCount)
    , m_order(order)
    , m_indexedColumns(std::move(indexedColumns))
    , m_lookupForms(m_indexedColumns.size(), nullptr)
    , m_indexes(m_indexedColumns.size()) {}

void TextTable::setLookupForm(int column, LookupForm lookupForm) {
    const auto it = std::find(m_indexedColumns.begin(), m_indexedColumns.end(), column);
    if (it == m_indexedColumns.end())
        throw std::logic_error("TextTable::setLookupForm on a column without index");
    m_lookupForms[static_cast<std::size_t>(it - m_indexedColumns.begin())] = lookupForm;
    m_indexesValid = false;
}

std::string TextTable::indexKey(std::size_t index, std::string_view text) const {
    const LookupForm form = m_lookupForms[index];
    return form ? form(text) : std::string(text);
}

void TextTable::setCell(int row, int column, std::string value) {
    std::string& target = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (target == value) return;
    target = std::move(value);
    if (std::find(m_indexedColumns.begin(), m_indexedColumns.end(), column) != m_indexedColumns.end())
        m_indexesValid = false;
    // A changed row text would leave a sorted table out of order; no caller changes it in place.
    assert(!(column == 0 && m_order == Order::ByText));
    m_observers.notify([&](TableObserver& o) { o.cellChanged(row, column); });
}

int TextTable::add(Row cells) {
    cells.resize(static_cast<std::size_t>(m_columnCount));
    int position = rowCount();
    if (m_order == Order::ByText && m_batchDepth == 0) {
        const auto it = std::upper_bound(
            m_rows.begin(), m_rows.end(), cells[0],
            [](const std::string& key, const Row& r) { return CompareIgnoringCase(key, r[0]) < 0; });
        position = static_cast<int>(it - m_rows.begin());
    }

    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeInserted(position, position); });
    m_rows.insert(m_rows.begin() + position, std::move(cells));
    if (position == rowCount() - 1) {
        indexAppended(position);
    } else if (m_indexesValid) {
        // Shift the positions behind the new row, then let it become the first match of its keys
        // where it now stands before the old first match.
        for (std::size_t i = 0; i < m_indexes.size(); ++i) {
            for (auto& entry : m_indexes[i])
                if (entry.second >= position) ++entry.second;
            std::string key = indexKey(
                i, m_rows[static_cast<std::size_t>(position)][static_cast<std::size_t>(m_indexedColumns[i])]);
            auto [it, inserted] = m_indexes[i].try_emplace(std::move(key), position);
            if (!inserted && it->second > position) it->second = position;
        }
    }
    m_observers.notify([&](TableObserver& o) { o.rowsInserted(position, position); });
    return position;
}

void TextTable::remove(int row) {
    if (row < 0 || row >= rowCount()) return;
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeRemoved(row, row); });
    m_rows.erase(m_rows.begin() + row);
    m_indexesValid = false;
    m_observers.notify([&](TableObserver& o) { o.rowsRemoved(row, row); });
}

void TextTable::clear() {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_rows.clear();
    for (auto& index : m_indexes) index.clear();
    m_indexesValid = true;
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

void TextTable::swapRows(TextTable& other) {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    other.m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_rows.swap(other.m_rows);
    m_indexes.swap(other.m_indexes);
    std::swap(m_indexesValid, other.m_indexesValid);
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
    other.m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

int TextTable::find(int column, std::string_view key) const {
    const auto it = std::find(m_indexedColumns.begin(), m_indexedColumns.end(), column);
    if (it == m_indexedColumns.end()) throw std::logic_error("TextTable::find on a column without index");
    if (!m_indexesValid) rebuildIndexes();
    const auto i = static_cast<std::size_t>(it - m_indexedColumns.begin());
    const auto& index = m_indexes[i];
    const auto found = m_lookupForms[i] ? index.find(m_lookupForms[i](key)) : index.find(key);
    return found == index.end() ? -1 : found->second;
}

void TextTable::indexAppended(int row) const {
    if (!m_indexesValid) return;
    for (std::size_t i = 0; i < m_indexes.size(); ++i)
        m_indexes[i].try_emplace(
            indexKey(i, m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(m_indexedColumns[i])]),
            row);
}

void TextTable::rebuildIndexes() const {
    for (auto& index : m_indexes) {
        index.clear();
        index.reserve(m_rows.size());
    }
    m_indexesValid = true;
    for (int row = 0; row < rowCount(); ++row) indexAppended(row);
}

TextTable::Batch::Batch(TextTable& table)
    : m_table(table) {
    if (m_table.m_batchDepth++ == 0) {
        m_table.m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
        m_table.m_observers.beginSilence();
    }
}

TextTable::Batch::~Batch() {
    if (--m_table.m_batchDepth == 0) m_table.finishBatch();
}

void TextTable::finishBatch() {
    if (m_order == Order::ByText) {
        // As in SortedList: sort the rows the batch appended and merge them behind the sorted ones.
        const auto less = [](const Row& a, const Row& b) { return CompareIgnoringCase(a[0], b[0]) < 0; };
        const auto appended = std::is_sorted_until(m_rows.begin(), m_rows.end(), less);
        std::stable_sort(appended, m_rows.end(), less);
        std::inplace_merge(m_rows.begin(), appended, m_rows.end(), less);
        m_indexesValid = false;
    }
    m_observers.endSilence();
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

} // namespace corvane
