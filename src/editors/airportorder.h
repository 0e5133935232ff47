#pragma once
// The order in which the airport list shows the AirportTable: sorted by one column, ascending or
// descending, comparing cell texts as text with letter case ignored (ties keep table order). The table
// keeps its rows in the order they were added; this is the list's view of them. A row added takes its
// sorted place; edits do not move rows until the list is sorted again. Views of the order follow its
// announcements (in view positions).

#include "traffic/tableobserver.h"

#include <vector>

namespace corvane {

class AirportTable;

class AirportOrder final : private TableObserver {
public:
    explicit AirportOrder(AirportTable& table);
    ~AirportOrder() override;
    AirportOrder(const AirportOrder&) = delete;
    AirportOrder& operator=(const AirportOrder&) = delete;

    int count() const { return static_cast<int>(order().size()); }
    // The table row shown at a view position, and the view position of a table row (-1 when none).
    int tableRow(int position) const { return order()[static_cast<std::size_t>(position)]; }
    int position(int tableRow) const;

    int sortColumn() const { return m_column; }
    bool ascending() const { return m_ascending; }
    void sortBy(int column, bool ascending);

    ObserverList& observers() { return m_observers; }

private:
    const std::vector<int>& order() const;
    bool less(int a, int b) const;
    void rowsInserted(int first, int last) override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved(int first, int last) override;
    void cellChanged(int row, int column) override;
    void aboutToReset() override;
    void wasReset() override;

    AirportTable& m_table;
    int m_column = 0;
    bool m_ascending = true;
    mutable std::vector<int> m_order;
    mutable bool m_valid = false;
    ObserverList m_observers;
};

} // namespace corvane
