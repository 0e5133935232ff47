#pragma once
// The entries of a selection list (a combo box filled at run time): kept in ascending order with letter
// case ignored, an added entry taking its sorted place after equal ones. A list may start with fixed
// head entries (the aircraft list's "Choose Aircraft" and separator) that stay in front.

#include "traffic/tableobserver.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class ChangeJournal;

// Every change goes through the mutators below, which record it in the list's ChangeJournal.
class SortedList {
public:
    int count() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const std::string& entry(int index) const { return m_entries[static_cast<std::size_t>(index)]; }
    const std::vector<std::string>& entries() const { return m_entries; }
    int headCount() const { return m_headCount; }

    void add(std::string text);
    // The head entries replace any there were; the sorted entries stay.
    void setHeads(std::vector<std::string> heads);
    // Removes the first entry equal to text, letter case ignored; false when there is none.
    bool removeFirst(std::string_view text);
    void clear();
    // Exchanges the entries with another list's; each list's observers see one reset.
    void swapEntries(SortedList& other);
    // First entry equal to text, letter case ignored (heads included); -1 when none.
    int indexOf(std::string_view text) const;

    // Bulk loads: entries are appended while a Batch lives and sorted once at its end.
    class Batch {
    public:
        explicit Batch(SortedList& list);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        SortedList& m_list;
    };

    ObserverList& observers() { return m_observers; }

    void setJournal(ChangeJournal* journal) { m_journal = journal; }
    // For the journal's records: the same changes, announced but not recorded.
    void insertAt(int position, std::string text, bool head);
    std::string takeAt(int position);
    void swapAll(std::vector<std::string>& entries, int& headCount);

private:
    bool recording();

    std::vector<std::string> m_entries;
    int m_headCount = 0;
    int m_batchDepth = 0;
    ObserverList m_observers;
    ChangeJournal* m_journal = nullptr;
};

} // namespace corvane
