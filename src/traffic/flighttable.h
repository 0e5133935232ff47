#pragma once
// The flights of a traffic set: FlightLine texts indexed from 0.
//
// A flight's index is its identity for the editors (CurrentFlightIndex) and for the rows of the
// flights list, which store it. So a deleted or dropped flight is never taken out: its entry becomes
// the empty text, every index stays valid, and every reader of the table skips empty entries. The
// entries go only when the whole table is emptied before the next load.

#include "traffic/tableobserver.h"

#include <string>
#include <vector>

namespace corvane {

class FlightTable {
public:
    int count() const { return static_cast<int>(m_lines.size()); }
    bool isEmpty() const { return m_lines.empty(); }
    int nonEmptyCount() const;
    const std::string& at(int index) const { return m_lines[static_cast<std::size_t>(index)]; }
    const std::vector<std::string>& lines() const { return m_lines; }
    // The lines themselves, for the writers that renumber and drop flights in place.
    std::vector<std::string>& mutableLines() { return m_lines; }

    int append(std::string line);
    // Makes room for this many more entries, so that a load of millions of lines grows the table once.
    void reserve(std::size_t more) { m_lines.reserve(m_lines.size() + more); }
    void replace(int index, std::string line);
    void empty(int index) { replace(index, std::string()); }
    void clear();
    // Exchanges the entries with another table's; each table's observers see one reset.
    void swapLines(FlightTable& other);
    // Announces that the writers changed lines through mutableLines().
    void linesChanged();

    ObserverList& observers() { return m_observers; }

private:
    std::vector<std::string> m_lines;
    ObserverList m_observers;
};

} // namespace corvane
