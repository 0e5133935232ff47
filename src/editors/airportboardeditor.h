#pragma once
// The "Airport Board" window without its widgets: the airport (typed as into the FlightPlans page's
// airport box: four letters at once, a shorter code on Enter, or chosen from the list), the zone and
// the day of the board, its two tables each sorted by a column, the texts around the chart, and what
// a double-click shows. The airport's traffic is read from the tables once per change of airport or
// data; a zone or day is only a new view of it. It notices when the tables change, so that the window
// can build the board again.

#include "board/airportboard.h"
#include "traffic/tableobserver.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class FlightEditor;
struct Session;

class AirportBoardEditor final : private TableObserver {
public:
    enum Table { Departures, Arrivals };
    // dayCom's items: every day, then the days.
    static const std::array<std::string_view, 8> kDayItems;

    explicit AirportBoardEditor(Session& session);
    ~AirportBoardEditor() override;
    AirportBoardEditor(const AirportBoardEditor&) = delete;
    AirportBoardEditor& operator=(const AirportBoardEditor&) = delete;

    // The airport box (its text, and whether it should be shown fully selected).
    const std::string& aptComText() const { return m_aptCom; }
    bool typeAirport(const std::string& text);
    bool enterAirport();
    void chooseAirport(const std::string& code);
    // The airport on the board, upper case; "" for none.
    const std::string& airport() const { return m_traffic.code; }
    // "ENGM Oslo Gardermoen", or what to do when no airport is chosen.
    std::string airportText() const;

    // zoneCom's list index (12 is GMT) and dayCom's item (0 for every day, 1..7 for Sun..Sat).
    int zone() const { return m_board.zone; }
    void chooseZone(int zone);
    int dayItem() const { return m_board.day + 1; }
    void chooseDay(int item);

    // Reads the airport's traffic from the tables again; the choices and sort orders stay.
    void refresh();
    // True when a table changed since the last refresh.
    bool stale() const { return m_changed; }
    // Called at every change of a table (the window schedules a refresh); it must be cheap.
    void setChangeCallback(std::function<void()> changed) { m_changedCallback = std::move(changed); }

    const AirportBoard& board() const { return m_board; }
    int rowCount(Table table) const { return static_cast<int>(order(table).size()); }
    const BoardRow& row(Table table, int row) const;
    std::string header(Table table, int column) const;
    std::string cell(Table table, int row, int column) const;
    // "Departures (12)".
    std::string tableTitle(Table table) const;
    // Bumped whenever the rows are replaced or reordered.
    int rowsRevision() const { return m_rowsRevision; }

    int sortColumn(Table table) const { return m_sort[table].column; }
    bool ascending(Table table) const { return m_sort[table].ascending; }
    // A click on a column header: sorts by it, ascending; a second click on it reverses the order.
    void clickHeader(Table table, int column);

    // The row of the movement that row showed before the rows were replaced, or -1.
    struct RowKey {
        int flight = -1, leg = 0, day = -1, time = -1;
    };
    RowKey key(Table table, int row) const;
    int find(Table table, const RowKey& key) const;

    // A double-click on a row: the flight editor lists this airport and shows the flight with the leg
    // of the movement on screen. When the flight is gone, says so and returns false.
    bool showMovement(Table table, int row, FlightEditor& editor);

private:
    struct Sort {
        int column = 0;
        bool ascending = true;
    };
    const std::vector<int>& order(Table table) const { return m_order[table]; }
    const std::vector<BoardRow>& rows(Table table) const {
        return table == Departures ? m_board.departures : m_board.arrivals;
    }
    void rebuild();
    void sortRows(Table table);

    void rowsInserted(int, int) override { changed(); }
    void rowsRemoved(int, int) override { changed(); }
    void cellChanged(int, int) override { changed(); }
    void wasReset() override { changed(); }
    void changed();
    std::vector<ObserverList*> watched() const;

    Session& m_session;
    std::string m_aptCom;
    AirportTraffic m_traffic;
    AirportBoard m_board;                    // points into m_traffic
    std::array<std::vector<int>, 2> m_order; // the rows shown, as positions in the board's rows
    std::array<Sort, 2> m_sort;
    int m_rowsRevision = 0;
    bool m_changed = false;
    std::function<void()> m_changedCallback;
};

} // namespace corvane
