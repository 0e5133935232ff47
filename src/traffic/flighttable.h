#pragma once
// The flights of a traffic set: FlightLine texts indexed from 0.
//
// A flight's index is its identity for the editors (CurrentFlightIndex) and for the rows of the
// flights list, which store it. So a deleted or dropped flight is never taken out: its entry becomes
// the empty text, every index stays valid, and every reader of the table skips empty entries. The
// entries go only when the whole table is emptied before the next load.
//
// Every change goes through the mutators below, which record it in the table's ChangeJournal.

#include "traffic/tableobserver.h"

#include <string>
#include <vector>

namespace corvane {

class ChangeJournal;

class FlightTable {
public:
    int count() const { return static_cast<int>(m_lines.size()); }
    bool isEmpty() const { return m_lines.empty(); }
    int nonEmptyCount() const;
    const std::string& at(int index) const { return m_lines[static_cast<std::size_t>(index)]; }
    const std::vector<std::string>& lines() const { return m_lines; }

    int append(std::string line);
    // Appends lines in one go (a load): one announcement, one record.
    void appendLines(std::vector<std::string> lines);
    void replace(int index, std::string line);
    void empty(int index) { replace(index, std::string()); }
    void clear();
    // Exchanges the entries with another table's; each table's observers see one reset.
    void swapLines(FlightTable& other);
    // Puts lines (as many as there are entries) in place of the entries, recording those that
    // differ, and announces one reset: for the writers, which renumber and drop flights everywhere.
    void assignLines(std::vector<std::string> lines);

    // The writers' way to change every line at once: a copy of the lines to change, put back (through
    // assignLines) when the edit ends.
    class Edit {
    public:
        explicit Edit(FlightTable& table)
            : m_table(table)
            , m_lines(table.lines()) {}
        ~Edit() { m_table.assignLines(std::move(m_lines)); }
        Edit(const Edit&) = delete;
        Edit& operator=(const Edit&) = delete;
        std::vector<std::string>& lines() { return m_lines; }

    private:
        FlightTable& m_table;
        std::vector<std::string> m_lines;
    };

    ObserverList& observers() { return m_observers; }

    void setJournal(ChangeJournal* journal) { m_journal = journal; }
    // For the journal's records: the same changes, announced but not recorded.
    void swapLine(int index, std::string& other);
    void swapAllLines(std::vector<std::string>& other);
    void truncate(int count, std::vector<std::string>& removed);
    void appendAll(std::vector<std::string>& lines);

private:
    void recordReplaced(int index, std::string old);

    std::vector<std::string> m_lines;
    ObserverList m_observers;
    ChangeJournal* m_journal = nullptr;
};

} // namespace corvane
