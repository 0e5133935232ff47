#include "traffic/flighttable.h"

#include "traffic/changejournal.h"

#include <algorithm>

namespace corvane {

namespace {

std::size_t TextBytes(const std::string& text) {
    return sizeof(std::string) + (text.capacity() > 15 ? text.capacity() : 0);
}

// Entries replaced, each with its other text; the replacements of one step join one record, so a
// filter over 100,000 flights costs about the bytes of the lines it changed.
class ReplacedLines final : public JournalChange {
public:
    explicit ReplacedLines(FlightTable& table)
        : m_table(table) {}
    bool isOf(const FlightTable& table) const { return &table == &m_table; }
    void add(int index, std::string other) {
        m_indexes.push_back(index);
        m_others.push_back(std::move(other));
    }
    void undo() override {
        for (std::size_t i = m_indexes.size(); i-- > 0;) m_table.swapLine(m_indexes[i], m_others[i]);
    }
    void redo() override {
        for (std::size_t i = 0; i < m_indexes.size(); ++i) m_table.swapLine(m_indexes[i], m_others[i]);
    }
    std::size_t bytes() const override {
        std::size_t bytes = sizeof(*this) + m_indexes.capacity() * sizeof(int) +
                            (m_others.capacity() - m_others.size()) * sizeof(std::string);
        for (const std::string& other : m_others) bytes += TextBytes(other);
        return bytes;
    }

private:
    FlightTable& m_table;
    std::vector<int> m_indexes;
    std::vector<std::string> m_others;
};

// Entries appended from an index on; the record holds them while they are taken off again.
class AppendedLines final : public JournalChange {
public:
    AppendedLines(FlightTable& table, int from)
        : m_table(table)
        , m_from(from) {}
    bool continues(const FlightTable& table, int index) const { return &table == &m_table && index >= m_from; }
    void undo() override { m_table.truncate(m_from, m_lines); }
    void redo() override { m_table.appendAll(m_lines); }
    std::size_t bytes() const override {
        std::size_t bytes = sizeof(*this);
        for (const std::string& line : m_lines) bytes += TextBytes(line);
        return bytes;
    }

private:
    FlightTable& m_table;
    int m_from;
    std::vector<std::string> m_lines;
};

// All entries (a clear).
class AllLines final : public JournalChange {
public:
    AllLines(FlightTable& table, std::vector<std::string> other)
        : m_table(table)
        , m_other(std::move(other)) {}
    void undo() override { m_table.swapAllLines(m_other); }
    void redo() override { m_table.swapAllLines(m_other); }
    std::size_t bytes() const override {
        std::size_t bytes = sizeof(*this);
        for (const std::string& line : m_other) bytes += TextBytes(line);
        return bytes;
    }

private:
    FlightTable& m_table;
    std::vector<std::string> m_other;
};

} // namespace

int FlightTable::nonEmptyCount() const {
    return static_cast<int>(
        std::count_if(m_lines.begin(), m_lines.end(), [](const std::string& l) { return !l.empty(); }));
}

int FlightTable::append(std::string line) {
    const int index = count();
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeInserted(index, index); });
    m_lines.push_back(std::move(line));
    m_observers.notify([&](TableObserver& o) { o.rowsInserted(index, index); });
    if (m_journal && m_journal->wantsChanges()) {
        const auto* last = m_journal->lastChangeAs<AppendedLines>();
        if (!last || !last->continues(*this, index))
            m_journal->record(std::make_unique<AppendedLines>(*this, index));
    }
    return index;
}

void FlightTable::appendLines(std::vector<std::string> lines) {
    if (lines.empty()) return;
    const int first = count();
    // Into an empty table the list itself moves, with the room it was given.
    if (m_lines.empty()) {
        m_observers.notify(
            [&](TableObserver& o) { o.rowsAboutToBeInserted(0, static_cast<int>(lines.size()) - 1); });
        m_lines.swap(lines);
        m_observers.notify([&](TableObserver& o) { o.rowsInserted(0, count() - 1); });
    } else {
        appendAll(lines);
    }
    if (m_journal && m_journal->wantsChanges()) {
        const auto* last = m_journal->lastChangeAs<AppendedLines>();
        if (!last || !last->continues(*this, first))
            m_journal->record(std::make_unique<AppendedLines>(*this, first));
    }
}

void FlightTable::replace(int index, std::string line) {
    if (index < 0 || index >= count()) return;
    swapLine(index, line);
    recordReplaced(index, std::move(line));
}

void FlightTable::recordReplaced(int index, std::string old) {
    if (!m_journal || !m_journal->wantsChanges()) return;
    auto* last = m_journal->lastChangeAs<ReplacedLines>();
    if (!last || !last->isOf(*this)) {
        auto change = std::make_unique<ReplacedLines>(*this);
        last = change.get();
        m_journal->record(std::move(change));
    }
    last->add(index, std::move(old));
}

void FlightTable::swapLine(int index, std::string& other) {
    m_lines[static_cast<std::size_t>(index)].swap(other);
    m_observers.notify([&](TableObserver& o) { o.cellChanged(index, 0); });
}

void FlightTable::clear() {
    std::vector<std::string> old;
    swapAllLines(old);
    if (m_journal && m_journal->wantsChanges()) m_journal->record(std::make_unique<AllLines>(*this, std::move(old)));
}

void FlightTable::swapAllLines(std::vector<std::string>& other) {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_lines.swap(other);
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

void FlightTable::truncate(int count, std::vector<std::string>& removed) {
    const int last = this->count() - 1;
    if (count > last) return;
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeRemoved(count, last); });
    removed.assign(std::make_move_iterator(m_lines.begin() + count), std::make_move_iterator(m_lines.end()));
    m_lines.erase(m_lines.begin() + count, m_lines.end());
    m_observers.notify([&](TableObserver& o) { o.rowsRemoved(count, last); });
}

void FlightTable::appendAll(std::vector<std::string>& lines) {
    if (lines.empty()) return;
    const int first = count();
    const int last = first + static_cast<int>(lines.size()) - 1;
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeInserted(first, last); });
    m_lines.insert(m_lines.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    lines.clear();
    m_observers.notify([&](TableObserver& o) { o.rowsInserted(first, last); });
}

void FlightTable::swapLines(FlightTable& other) {
    if (m_journal && m_journal->wantsChanges())
        m_journal->record(std::make_unique<AllLines>(*this, m_lines)); // a copy; loads come outside steps
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    other.m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_lines.swap(other.m_lines);
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
    other.m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

void FlightTable::assignLines(std::vector<std::string> lines) {
    lines.resize(m_lines.size());
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    const bool record = m_journal && m_journal->wantsChanges();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == m_lines[i]) continue;
        m_lines[i].swap(lines[i]);
        if (record) recordReplaced(static_cast<int>(i), std::move(lines[i]));
    }
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

} // namespace corvane
