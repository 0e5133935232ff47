#pragma once
// File > "Import Timetable..." without its widgets: the file chosen and read, the options of the
// preview, the plan they give (counts and problems), and the import of the plan as one step of the
// change journal. Nothing changes before importPlan(); the options re-plan at once.

#include "timetable/csvtable.h"
#include "timetable/timetableplan.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct Session;

class TimetableEditor {
public:
    enum Column { RowColumn, ProblemColumn, MessageColumn };
    static constexpr std::array<std::string_view, 3> kHeaders{"Row", "Problem", "Message"};

    TimetableEditor(Session& session, int turnaroundMinutes);

    // Asks for the file and loads it; false when the user cancelled or it was refused (reported).
    bool open();
    // Reads the file and Corvane's airport sources and plans; false (reported) when any cannot be read
    // or the file is no timetable: the preview is then not shown.
    bool load(const std::string& path);

    const std::string& path() const { return m_path; }
    const TimetableOptions& options() const { return m_options; }
    void chooseZone(int zoneIndex);
    void chooseRules(bool ifr);
    // Texts as typed: a value that is not valid is refused with a message, and the option keeps its
    // value (false).
    bool editPercent(const std::string& text);
    bool editAltitude(const std::string& text);
    bool editTailPattern(const std::string& text);

    const TimetablePlan& plan() const { return m_plan; }
    // The counts shown above the problems (PlanSummary).
    std::string countsText() const;
    int rowCount() const { return static_cast<int>(m_plan.problems.size()); }
    std::string cell(int row, int column) const;
    // Whether a problem leaves legs out (shown as an error) or only informs.
    bool leavesOut(int row) const { return m_plan.problems[static_cast<std::size_t>(row)].leftOut; }
    bool canImport() const { return m_plan.flightCount() > 0; }

    // Adds the plan's flights, aircraft and airports as one step; true when anything was added.
    bool importPlan();
    // After an import: the airport the first flight departs from, and the status bar's sentence.
    const std::string& firstAirport() const { return m_firstAirport; }
    std::string doneStatus() const;

private:
    void replan();

    Session& m_session;
    std::string m_path;
    std::optional<CsvTable> m_table;
    std::optional<AirportSources> m_sources;
    TimetableOptions m_options;
    TimetablePlan m_plan;
    std::string m_firstAirport;
    int m_imported = 0;
};

} // namespace corvane
