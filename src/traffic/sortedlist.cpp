#include "traffic/sortedlist.h"

#include "traffic/changejournal.h"
#include "traffic/text.h"

#include <algorithm>

namespace corvane {

namespace {

// An entry added (or, with removed, taken away) at a position.
class EntryChange final : public JournalChange {
public:
    EntryChange(SortedList& list, int position, bool removed, bool head, std::string text = {})
        : m_list(list), m_position(position), m_removed(removed), m_head(head), m_text(std::move(text)) {}
    void undo() override { m_removed ? put() : take(); }
    void redo() override { m_removed ? take() : put(); }
    std::size_t bytes() const override { return sizeof(*this) + m_text.capacity(); }

private:
    void take() { m_text = m_list.takeAt(m_position); }
    void put() { m_list.insertAt(m_position, std::move(m_text), m_head); }

    SortedList& m_list;
    int m_position;
    bool m_removed, m_head;
    std::string m_text;
};

// All entries (a clear, new head entries, a bulk load).
class AllEntries final : public JournalChange {
public:
    AllEntries(SortedList& list, std::vector<std::string> entries, int headCount)
        : m_list(list), m_entries(std::move(entries)), m_headCount(headCount) {}
    void undo() override { m_list.swapAll(m_entries, m_headCount); }
    void redo() override { m_list.swapAll(m_entries, m_headCount); }
    std::size_t bytes() const override {
        std::size_t bytes = sizeof(*this);
        for (const std::string& entry : m_entries) bytes += sizeof(std::string) + entry.capacity();
        return bytes;
    }

private:
    SortedList& m_list;
    std::vector<std::string> m_entries;
    int m_headCount;
};

} // namespace

bool SortedList::recording() {
    return m_batchDepth == 0 && m_journal && m_journal->wantsChanges();
}

void SortedList::add(std::string text) {
    if (m_batchDepth > 0) {
        m_entries.push_back(std::move(text));
        return;
    }
    const auto it =
        std::upper_bound(m_entries.begin() + m_headCount, m_entries.end(), text, LessIgnoringCase());
    const int position = static_cast<int>(it - m_entries.begin());
    insertAt(position, std::move(text), false);
    if (recording()) m_journal->record(std::make_unique<EntryChange>(*this, position, false, false));
}

void SortedList::insertAt(int position, std::string text, bool head) {
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeInserted(position, position); });
    m_entries.insert(m_entries.begin() + position, std::move(text));
    if (head) ++m_headCount;
    m_observers.notify([&](TableObserver& o) { o.rowsInserted(position, position); });
}

std::string SortedList::takeAt(int position) {
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeRemoved(position, position); });
    std::string text = std::move(m_entries[static_cast<std::size_t>(position)]);
    m_entries.erase(m_entries.begin() + position);
    if (position < m_headCount) --m_headCount;
    m_observers.notify([&](TableObserver& o) { o.rowsRemoved(position, position); });
    return text;
}

void SortedList::swapAll(std::vector<std::string>& entries, int& headCount) {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_entries.swap(entries);
    std::swap(m_headCount, headCount);
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

void SortedList::setHeads(std::vector<std::string> heads) {
    if (recording()) m_journal->record(std::make_unique<AllEntries>(*this, m_entries, m_headCount));
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_entries.erase(m_entries.begin(), m_entries.begin() + m_headCount);
    m_headCount = static_cast<int>(heads.size());
    m_entries.insert(m_entries.begin(), std::make_move_iterator(heads.begin()),
                     std::make_move_iterator(heads.end()));
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

bool SortedList::removeFirst(std::string_view text) {
    const int index = indexOf(text);
    if (index < 0) return false;
    const bool head = index < m_headCount;
    std::string removed = takeAt(index);
    if (recording()) m_journal->record(std::make_unique<EntryChange>(*this, index, true, head, std::move(removed)));
    return true;
}

void SortedList::clear() {
    std::vector<std::string> old;
    int heads = 0;
    swapAll(old, heads);
    if (recording()) m_journal->record(std::make_unique<AllEntries>(*this, std::move(old), heads));
}

void SortedList::swapEntries(SortedList& other) {
    if (recording()) m_journal->record(std::make_unique<AllEntries>(*this, m_entries, m_headCount));
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    other.m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_entries.swap(other.m_entries);
    std::swap(m_headCount, other.m_headCount);
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
    other.m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

int SortedList::indexOf(std::string_view text) const {
    for (int i = 0; i < m_headCount; ++i)
        if (EqualsIgnoringCase(m_entries[static_cast<std::size_t>(i)], text)) return i;
    if (m_batchDepth > 0) {
        const auto it = std::find_if(m_entries.begin() + m_headCount, m_entries.end(),
                                     [&](const std::string& e) { return EqualsIgnoringCase(e, text); });
        return it == m_entries.end() ? -1 : static_cast<int>(it - m_entries.begin());
    }
    const auto it =
        std::lower_bound(m_entries.begin() + m_headCount, m_entries.end(), text, LessIgnoringCase());
    if (it == m_entries.end() || !EqualsIgnoringCase(*it, text)) return -1;
    return static_cast<int>(it - m_entries.begin());
}

SortedList::Batch::Batch(SortedList& list)
    : m_list(list) {
    if (m_list.m_batchDepth == 0 && m_list.recording())
        m_list.m_journal->record(std::make_unique<AllEntries>(m_list, m_list.m_entries, m_list.m_headCount));
    if (m_list.m_batchDepth++ == 0) {
        m_list.m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
        m_list.m_observers.beginSilence();
    }
}

SortedList::Batch::~Batch() {
    if (--m_list.m_batchDepth > 0) return;
    // The entries from before the batch are in order already: sort what the batch appended and merge
    // it in, which gives the order of a stable sort of the whole list at a fraction of its cost.
    const auto begin = m_list.m_entries.begin() + m_list.m_headCount;
    const auto end = m_list.m_entries.end();
    const auto appended = std::is_sorted_until(begin, end, LessIgnoringCase());
    StableSortIgnoringCase(appended, end, [](const std::string& entry) -> std::string_view { return entry; });
    std::inplace_merge(begin, appended, end, LessIgnoringCase());
    m_list.m_observers.endSilence();
    m_list.m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

} // namespace corvane
