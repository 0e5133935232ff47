#pragma once
// How many legs of a FlightTable arrive at each airport code (every airport of a flight's loop is the
// destination of one of its legs, so a code with arrivals is an airport with flights). It follows the
// table: a changed or appended line is counted again at once from the codes it had, anything else
// (a load, a clear) marks the counts for a full recount at the next update().

#include "traffic/tableobserver.h"
#include "traffic/text.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class FlightTable;

class ArrivalCounts final : private TableObserver {
public:
    explicit ArrivalCounts(FlightTable& flights);
    ~ArrivalCounts() override;
    ArrivalCounts(const ArrivalCounts&) = delete;
    ArrivalCounts& operator=(const ArrivalCounts&) = delete;

    // Recounts every line when a full recount is due; cheap otherwise.
    void update();
    // Stops following the table until the next update(), which then counts afresh: for while nobody
    // looks, so that changes to the table cost nothing here.
    void suspend() { m_stale = true; }
    // Legs arriving at code (letter case ignored), as of the last update() and the changes since.
    int arrivals(std::string_view code) const;
    // Bumped whenever a count may have changed.
    int revision() const { return m_revision; }

private:
    struct Span {
        std::size_t begin = 0, end = 0; // into m_codesOfLines
    };
    int codeId(std::string_view code);
    void countLine(int index, int sign);
    void recount();

    void rowsInserted(int first, int last) override;
    void rowsRemoved(int, int) override { m_stale = true; }
    void cellChanged(int row, int) override;
    void wasReset() override { m_stale = true; }

    FlightTable& m_flights;
    std::unordered_map<std::string, int, HashIgnoringCase, EqualIgnoringCase> m_ids;
    std::vector<int> m_counts;       // by code id
    std::vector<int> m_codesOfLines; // the code ids of each line's destinations, line after line
    std::vector<Span> m_lines;       // by flight index
    std::size_t m_unused = 0;        // entries of m_codesOfLines no line points to any more
    bool m_stale = true;
    int m_revision = 0;
};

} // namespace corvane
