#include "traffic/texttable.h"

#include "traffic/changejournal.h"
#include "traffic/text.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>

namespace corvane {

namespace {

// The first slot to try for a key of this hash in an index of size slots (its high bits, scaled).
std::size_t HomeSlot(std::uint32_t hash, std::size_t size) {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(hash) * size) >> 32);
}

std::size_t RowBytes(const TextTable::Row& row) {
    std::size_t bytes = sizeof(TextTable::Row) + row.capacity() * sizeof(std::string);
    for (const std::string& cell : row) bytes += cell.capacity() > 15 ? cell.capacity() : 0;
    return bytes;
}

// One cell's other text (the keys typed into one field in one step make one change).
class CellChange final : public JournalChange {
public:
    CellChange(TextTable& table, int row, int column, std::string other)
        : m_table(table), m_row(row), m_column(column), m_other(std::move(other)) {}
    bool isCell(const TextTable& table, int row, int column) const {
        return &table == &m_table && row == m_row && column == m_column;
    }
    void undo() override { m_table.swapCell(m_row, m_column, m_other); }
    void redo() override { m_table.swapCell(m_row, m_column, m_other); }
    std::size_t bytes() const override { return sizeof(*this) + m_other.capacity(); }

private:
    TextTable& m_table;
    int m_row, m_column;
    std::string m_other;
};

// A row added (or, with removed, taken away) at a position; the record holds it while it is out.
class RowChange final : public JournalChange {
public:
    RowChange(TextTable& table, int position, bool removed, TextTable::Row cells = {})
        : m_table(table), m_position(position), m_removed(removed), m_cells(std::move(cells)) {}
    void undo() override { m_removed ? put() : take(); }
    void redo() override { m_removed ? take() : put(); }
    std::size_t bytes() const override { return sizeof(*this) + RowBytes(m_cells); }

private:
    void take() { m_cells = m_table.takeRow(m_position); }
    void put() { m_table.insertRow(m_position, std::move(m_cells)); }

    TextTable& m_table;
    int m_position;
    bool m_removed;
    TextTable::Row m_cells;
};

// The rows of the whole table (a clear, or a bulk load into a sorted table).
class AllRowsChange final : public JournalChange {
public:
    AllRowsChange(TextTable& table, std::vector<TextTable::Row> other)
        : m_table(table), m_other(std::move(other)) {}
    void undo() override { m_table.swapAllRows(m_other); }
    void redo() override { m_table.swapAllRows(m_other); }
    std::size_t bytes() const override {
        std::size_t bytes = sizeof(*this);
        for (const auto& row : m_other) bytes += RowBytes(row);
        return bytes;
    }

private:
    TextTable& m_table;
    std::vector<TextTable::Row> m_other;
};

// The rows a bulk load appended from a position on to the end of a table kept in insertion order.
class AppendedRowsChange final : public JournalChange {
public:
    AppendedRowsChange(TextTable& table, int from)
        : m_table(table), m_from(from) {}
    void undo() override {
        while (m_table.rowCount() > m_from) m_rows.push_back(m_table.takeRow(m_table.rowCount() - 1));
    }
    void redo() override {
        while (!m_rows.empty()) {
            m_table.insertRow(m_table.rowCount(), std::move(m_rows.back()));
            m_rows.pop_back();
        }
    }
    std::size_t bytes() const override {
        std::size_t bytes = sizeof(*this);
        for (const auto& row : m_rows) bytes += RowBytes(row);
        return bytes;
    }

private:
    TextTable& m_table;
    int m_from;
    std::vector<TextTable::Row> m_rows; // last row first, while they are out
};

} // namespace

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

std::string_view TextTable::lookupKey(std::size_t index, std::string_view text, std::string& formed) const {
    if (!m_lookupForms[index]) return text;
    formed = m_lookupForms[index](text);
    return formed;
}

void TextTable::setCell(int row, int column, std::string value) {
    if (cell(row, column) == value) return;
    // A changed row text would leave a sorted table out of order; no caller changes it in place.
    assert(!(column == 0 && m_order == Order::ByText));
    swapCell(row, column, value);
    if (m_batchDepth > 0 || !m_journal || !m_journal->wantsChanges()) return;
    if (const auto* last = m_journal->lastChangeAs<CellChange>(); last && last->isCell(*this, row, column)) return;
    m_journal->record(std::make_unique<CellChange>(*this, row, column, std::move(value)));
}

void TextTable::swapCell(int row, int column, std::string& other) {
    std::string& target = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    target.swap(other);
    if (std::find(m_indexedColumns.begin(), m_indexedColumns.end(), column) != m_indexedColumns.end())
        m_indexesValid = false;
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
    insertRow(position, std::move(cells));
    if (m_batchDepth == 0 && m_journal && m_journal->wantsChanges())
        m_journal->record(std::make_unique<RowChange>(*this, position, false));
    return position;
}

void TextTable::insertRow(int position, Row cells) {
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeInserted(position, position); });
    m_rows.insert(m_rows.begin() + position, std::move(cells));
    if (position == rowCount() - 1) {
        indexAppended(position);
    } else if (m_indexesValid) {
        // Shift the positions behind the new row, then let it become the first match of its keys
        // where it now stands before the old first match.
        for (std::size_t i = 0; i < m_indexes.size(); ++i) {
            for (Index::Slot& slot : m_indexes[i].places)
                if (slot.row > static_cast<std::uint32_t>(position)) ++slot.row;
            indexRow(i, position);
        }
    }
    m_observers.notify([&](TableObserver& o) { o.rowsInserted(position, position); });
}

void TextTable::remove(int row) {
    if (row < 0 || row >= rowCount()) return;
    Row cells = takeRow(row);
    if (m_batchDepth == 0 && m_journal && m_journal->wantsChanges())
        m_journal->record(std::make_unique<RowChange>(*this, row, true, std::move(cells)));
}

TextTable::Row TextTable::takeRow(int row) {
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeRemoved(row, row); });
    Row cells = std::move(m_rows[static_cast<std::size_t>(row)]);
    m_rows.erase(m_rows.begin() + row);
    m_indexesValid = false;
    m_observers.notify([&](TableObserver& o) { o.rowsRemoved(row, row); });
    return cells;
}

void TextTable::clear() {
    std::vector<Row> old;
    swapAllRows(old);
    if (m_batchDepth == 0 && m_journal && m_journal->wantsChanges())
        m_journal->record(std::make_unique<AllRowsChange>(*this, std::move(old)));
}

void TextTable::swapAllRows(std::vector<Row>& other) {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_rows.swap(other);
    for (Index& index : m_indexes) index = Index{};
    m_indexesValid = m_rows.empty();
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

void TextTable::swapRows(TextTable& other) {
    if (m_journal && m_journal->wantsChanges())
        m_journal->record(std::make_unique<AllRowsChange>(*this, m_rows)); // a copy; loads come outside steps
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
    const Index& index = m_indexes[i];
    if (index.places.empty()) return -1;
    std::string formed;
    const std::string_view wanted = lookupKey(i, key, formed);
    const Index::Slot& slot = index.places[slotOf(i, wanted, keyHash(wanted))];
    return static_cast<int>(slot.row) - 1;
}

std::uint32_t TextTable::keyHash(std::string_view key) const {
    // FNV-1a leaves texts that differ in their last bytes close together in its low bits; a finishing
    // mix (MurmurHash3's) spreads them over all bits, of which the high half is kept.
    std::uint64_t hash = HashIgnoringCase()(key);
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    return static_cast<std::uint32_t>(hash >> 32);
}

std::size_t TextTable::slotOf(std::size_t i, std::string_view key, std::uint32_t hash) const {
    const Index& index = m_indexes[i];
    const std::size_t mask = index.places.size() - 1;
    const auto column = static_cast<std::size_t>(m_indexedColumns[i]);
    // The slot the hash's high bits name, then a linear probe to the key or the first empty slot.
    std::size_t s = HomeSlot(hash, index.places.size());
    for (;; s = (s + 1) & mask) {
        const Index::Slot& slot = index.places[s];
        if (slot.row == 0) return s;
        if (slot.hash != hash) continue;
        const std::string& cell = m_rows[slot.row - 1][column];
        if (m_lookupForms[i] ? EqualIgnoringCase()(m_lookupForms[i](cell), key)
                             : EqualIgnoringCase()(cell, key))
            return s;
    }
}

void TextTable::indexRow(std::size_t i, int row) const {
    Index& index = m_indexes[i];
    if ((index.used + 1) * 2 > index.places.size()) {
        // Twice the slots: every held key moves to its place in the larger table.
        std::vector<Index::Slot> old(std::max<std::size_t>(16, index.places.size() * 2));
        old.swap(index.places);
        const std::size_t mask = index.places.size() - 1;
        for (const Index::Slot& slot : old) {
            if (slot.row == 0) continue;
            std::size_t s = HomeSlot(slot.hash, index.places.size());
            while (index.places[s].row != 0) s = (s + 1) & mask;
            index.places[s] = slot;
        }
    }
    std::string formed;
    const std::string_view key = lookupKey(
        i, m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(m_indexedColumns[i])], formed);
    const std::uint32_t hash = keyHash(key);
    Index::Slot& slot = index.places[slotOf(i, key, hash)];
    if (slot.row == 0) {
        slot = {static_cast<std::uint32_t>(row) + 1, hash};
        ++index.used;
    } else if (slot.row > static_cast<std::uint32_t>(row) + 1) {
        slot.row = static_cast<std::uint32_t>(row) + 1;
    }
}

void TextTable::indexAppended(int row) const {
    if (!m_indexesValid) return;
    for (std::size_t i = 0; i < m_indexes.size(); ++i) indexRow(i, row);
}

void TextTable::rebuildIndexes() const {
    std::size_t size = 16;
    while (size < 2 * m_rows.size() + 2) size *= 2;
    for (Index& index : m_indexes) {
        index.places.assign(size, Index::Slot{});
        index.used = 0;
    }
    m_indexesValid = true;
    for (int row = 0; row < rowCount(); ++row) indexAppended(row);
}

TextTable::Batch::Batch(TextTable& table)
    : m_table(table) {
    if (m_table.m_batchDepth++ == 0) {
        // What the batch appends to a table in insertion order is taken off its end; a sorted table
        // merges it in, so it keeps a copy of the rows before.
        ChangeJournal* journal = m_table.m_journal;
        if (journal && journal->wantsChanges()) {
            if (m_table.m_order == Order::Insertion)
                journal->record(std::make_unique<AppendedRowsChange>(m_table, m_table.rowCount()));
            else
                journal->record(std::make_unique<AllRowsChange>(m_table, m_table.m_rows));
        }
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
        StableSortIgnoringCase(appended, m_rows.end(),
                               [](const Row& row) -> std::string_view { return row[0]; });
        std::inplace_merge(m_rows.begin(), appended, m_rows.end(), less);
        m_indexesValid = false;
    }
    m_observers.endSilence();
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

} // namespace corvane
