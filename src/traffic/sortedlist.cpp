#include "traffic/sortedlist.h"

#include "traffic/text.h"

#include <algorithm>

namespace corvane {

void SortedList::add(std::string text) {
    if (m_batchDepth > 0) {
        m_entries.push_back(std::move(text));
        return;
    }
    const auto it =
        std::upper_bound(m_entries.begin() + m_headCount, m_entries.end(), text, LessIgnoringCase());
    const int position = static_cast<int>(it - m_entries.begin());
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeInserted(position, position); });
    m_entries.insert(it, std::move(text));
    m_observers.notify([&](TableObserver& o) { o.rowsInserted(position, position); });
}

void SortedList::setHeads(std::vector<std::string> heads) {
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
    m_observers.notify([&](TableObserver& o) { o.rowsAboutToBeRemoved(index, index); });
    m_entries.erase(m_entries.begin() + index);
    if (index < m_headCount) --m_headCount;
    m_observers.notify([&](TableObserver& o) { o.rowsRemoved(index, index); });
    return true;
}

void SortedList::clear() {
    m_observers.notify([](TableObserver& o) { o.aboutToReset(); });
    m_entries.clear();
    m_headCount = 0;
    m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

void SortedList::swapEntries(SortedList& other) {
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
    std::stable_sort(appended, end, LessIgnoringCase());
    std::inplace_merge(begin, appended, end, LessIgnoringCase());
    m_list.m_observers.endSilence();
    m_list.m_observers.notify([](TableObserver& o) { o.wasReset(); });
}

} // namespace corvane
