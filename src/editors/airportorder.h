#pragma once
// The order in which the airport list shows the AirportTable: sorted by one column, ascending or
// descending (ties keep table order), and narrowed by a search. Texts compare as text with letter case
// ignored; the elevation, latitude and longitude compare by their numeric value (south and west
// negative). The table keeps its rows in the order they were added; this is the list's view of them. A
// row added takes its sorted place when it matches the search; edits do not move rows until the list is
// sorted or searched again. Views of the order follow its announcements (in view positions).

#include "traffic/tableobserver.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class AirportTable;

class AirportOrder final : private TableObserver {
public:
    explicit AirportOrder(AirportTable& table);
    ~AirportOrder() override;
    AirportOrder(const AirportOrder&) = delete;
    AirportOrder& operator=(const AirportOrder&) = delete;

    // The rows shown (those that match the search), and all rows of the table.
    int count() const { return static_cast<int>(order().size()); }
    int total() const;
    // The table row shown at a view position, and the view position of a table row (-1 when none).
    int tableRow(int position) const { return order()[static_cast<std::size_t>(position)]; }
    int position(int tableRow) const;

    int sortColumn() const { return m_column; }
    bool ascending() const { return m_ascending; }
    void sortBy(int column, bool ascending);

    // Shows only the airports whose code, name or country holds text, letter case and accents ignored
    // (SearchFold); the empty text shows them all.
    void search(std::string_view text);
    const std::string& searchText() const { return m_searchText; }
    bool matches(int tableRow) const;

    ObserverList& observers() { return m_observers; }

private:
    const std::vector<int>& order() const;
    bool less(int a, int b) const;
    bool numericColumn() const;
    double numericKey(int row) const;
    void rowsInserted(int first, int last) override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved(int first, int last) override;
    void cellChanged(int row, int column) override;
    void aboutToReset() override;
    void wasReset() override;

    AirportTable& m_table;
    int m_column = 0;
    bool m_ascending = true;
    std::string m_searchText;
    std::string m_folded; // m_searchText as SearchFold gives it
    mutable std::vector<int> m_order;
    mutable bool m_valid = false;
    ObserverList m_observers;
};

} // namespace corvane
