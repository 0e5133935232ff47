#pragma once
// A table of text rows, each with a fixed number of cells; cell 0 is the row text. Rows keep their
// table order: the order in which they were added, or ascending row text with letter case ignored (a
// new row then takes its sorted place after equal ones). Chosen columns are indexed by hash tables kept
// in step with the rows, so that a lookup costs O(1) and still returns the first match in table order.
//
// Every change goes through the mutators below, which record it in the table's ChangeJournal (when it
// has one) so that it can be undone.

#include "traffic/tableobserver.h"
#include "traffic/text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class ChangeJournal;

class TextTable {
public:
    enum class Order { Insertion, ByText };
    using Row = std::vector<std::string>;

    TextTable(int columnCount, Order order, std::vector<int> indexedColumns);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int columnCount() const { return m_columnCount; }
    bool isEmpty() const { return m_rows.empty(); }
    const std::string& cell(int row, int column) const {
        return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    const Row& row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }

    void setCell(int row, int column, std::string value);
    // Adds a row (missing cells are empty) at its place in table order and returns that position.
    int add(Row cells);
    void remove(int row);
    void clear();
    // Exchanges the rows with those of another table of the same shape; the observers of each stay
    // with their table and see one reset.
    void swapRows(TextTable& other);

    // First row in table order whose cell in column equals key, letter case ignored (and compared in
    // the column's lookup form, when it has one); -1 when none. Only indexed columns may be searched.
    int find(int column, std::string_view key) const;

    // For bulk loads: while a Batch lives, rows are appended without announcements; when it ends,
    // a sorted table is sorted once and observers see one reset.
    class Batch {
    public:
        explicit Batch(TextTable& table);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        TextTable& m_table;
    };

    ObserverList& observers() { return m_observers; }

    // The journal that records this table's changes; null for none (set by the TrafficDatabase).
    void setJournal(ChangeJournal* journal) { m_journal = journal; }

    // For the journal's records: the same changes, announced as usual but not recorded. swapCell puts
    // other into the cell and the cell's old text into other.
    void swapCell(int row, int column, std::string& other);
    Row takeRow(int row);
    void insertRow(int position, Row cells);
    void swapAllRows(std::vector<Row>& other);

protected:
    // Lookups in an indexed column compare lookupForm(text) instead of the text itself, so that texts
    // of one meaning written differently (AC#007 and AC#7) find each other.
    using LookupForm = std::string (*)(std::string_view);
    void setLookupForm(int column, LookupForm lookupForm);

private:
    // One per indexed column: open addressing over row positions, each slot holding a row position + 1
    // (0 for an empty slot) and the hash of the row's key, so that probes compare numbers and read a
    // row only when the hashes agree. At most half the slots are used; a key is held once, by the first
    // row in table order that has it.
    struct Index {
        struct Slot {
            std::uint32_t row = 0;
            std::uint32_t hash = 0;
        };
        std::vector<Slot> places; // "slots" is a word Qt keeps for itself
        std::size_t used = 0;
    };

    // text in the lookup form of the indexed column (made in formed when the column has one).
    std::string_view lookupKey(std::size_t index, std::string_view text, std::string& formed) const;
    std::uint32_t keyHash(std::string_view key) const;
    // The slot that holds key (whose hash is hash), or the empty slot where it would go.
    std::size_t slotOf(std::size_t index, std::string_view key, std::uint32_t hash) const;
    void indexRow(std::size_t index, int row) const;
    void rebuildIndexes() const;
    void indexAppended(int row) const;
    void finishBatch();

    int m_columnCount;
    Order m_order;
    std::vector<Row> m_rows;
    std::vector<int> m_indexedColumns;
    std::vector<LookupForm> m_lookupForms; // one per indexed column, null for the text itself
    mutable std::vector<Index> m_indexes;
    mutable bool m_indexesValid = true;
    int m_batchDepth = 0;
    ObserverList m_observers;
    ChangeJournal* m_journal = nullptr;
};

} // namespace corvane
