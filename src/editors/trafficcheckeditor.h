#pragma once
// The "Check traffic..." window without its widgets: the problems of the last check as table rows,
// filtered by severity and by check and sorted by a column, the counts, the question before a compile
// and what a double-click shows. It notices when the tables change, so that the window can check
// again.

#include "checks/compilequestion.h"
#include "checks/trafficcheck.h"
#include "traffic/tableobserver.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class FlightEditor;
class SettingsStore;
struct Session;

class TrafficCheckEditor final : private TableObserver {
public:
    enum Column { SeverityColumn, FlightColumn, RouteColumn, LegColumn, CheckColumn, MessageColumn };
    static constexpr int kColumnCount = 6;
    static const std::array<std::string_view, kColumnCount> kHeaders;
    // severityCom's items, in this order.
    enum class SeverityFilter { All, Errors, Warnings };
    static const std::array<std::string_view, 3> kSeverityItems;
    // checkCom's first item; the checks' titles follow in the order of kAllChecks.
    static constexpr std::string_view kAllChecksItem = "All checks";

    TrafficCheckEditor(Session& session, const SettingsStore& settings);
    ~TrafficCheckEditor() override;
    TrafficCheckEditor(const TrafficCheckEditor&) = delete;
    TrafficCheckEditor& operator=(const TrafficCheckEditor&) = delete;

    // Stores the flight being edited and checks the traffic again (the turnaround minimum from the
    // settings). The filters and the sort order stay.
    void refresh();
    // True when the tables or the turnaround minimum changed since the last check.
    bool stale() const;
    // Before a compile: checks, and asks when there are errors. When the user chooses to look at them,
    // the rows are the errors of every check.
    CompileChoice beforeCompile();

    const CheckReport& report() const { return m_report; }
    // The rows shown: the problems that pass the filters, in the chosen order.
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const Problem& problem(int row) const {
        return m_report.problems[static_cast<std::size_t>(m_rows[static_cast<std::size_t>(row)])];
    }
    std::string cell(int row, int column) const;
    // Bumped whenever the rows are replaced or reordered.
    int rowsRevision() const { return m_rowsRevision; }

    SeverityFilter severityFilter() const { return m_severity; }
    void filterSeverity(SeverityFilter filter);
    // -1 for every check, else the index into kAllChecks.
    int checkFilter() const { return m_check; }
    void filterCheck(int check);

    int sortColumn() const { return m_sortColumn; }
    bool ascending() const { return m_ascending; }
    // A click on a column header: sorts by it, ascending; a second click on it reverses the order.
    void clickHeader(int column);

    // countLbl: "2 errors, 5 warnings in 4 flights", and how many rows show when filtered.
    std::string countsText() const;

    // A double-click on a row: the flight editor shows its flight and leg. When the flight is gone
    // since the check, says so and returns false.
    bool showProblem(int row, FlightEditor& editor);

    // The quick fix of leg-too-short and leg-too-long: the arrival of each leg of the rows chosen
    // becomes its departure plus the proposed flight time, as the retime sets it, in one step; then
    // the traffic is checked again. When the traffic changed since the check, it is checked again and
    // nothing changes. Legs that keep their arrival are reported. Returns the legs changed.
    static constexpr std::string_view kUseProposedArrival = "Use the proposed arrival";
    bool fixable(int row) const;
    int useProposedArrival(const std::vector<int>& rows);

private:
    void rebuildRows();
    bool passes(const Problem& problem) const;
    std::string_view route(const Problem& problem) const;
    // The text a problem is sorted by in the sort column, when that column holds text.
    std::string_view sortText(const Problem& problem) const;

    void rowsInserted(int, int) override { m_changed = true; }
    void rowsRemoved(int, int) override { m_changed = true; }
    void cellChanged(int, int) override { m_changed = true; }
    void wasReset() override { m_changed = true; }
    std::vector<ObserverList*> watched() const;

    Session& m_session;
    const SettingsStore& m_settings;
    CheckReport m_report;
    int m_turnaround = kDefaultTurnaroundMinutes; // of the last check
    bool m_changed = true;
    // The route summary of each flight with problems, and for each problem its summary.
    std::vector<std::string> m_routes;
    std::vector<int> m_routeOf;
    std::vector<int> m_rows; // problems shown, as positions in the report
    int m_rowsRevision = 0;
    SeverityFilter m_severity = SeverityFilter::All;
    int m_check = -1;
    int m_sortColumn = FlightColumn;
    bool m_ascending = true;
};

} // namespace corvane
