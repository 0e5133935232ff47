#include "editors/timetableeditor.h"

#include "editors/legseditor.h"
#include "editors/statustexts.h"
#include "projects/session.h"
#include "timetable/timetableimport.h"
#include "traffic/numbers.h"
#include "traffic/prompts.h"

namespace corvane {

static_assert(TimetableOptions{}.maxLegs == kMaxLegs,
              "a timetable's flights hold what the flight editor holds");

TimetableEditor::TimetableEditor(Session& session, int turnaroundMinutes)
    : m_session(session) {
    m_options.turnaroundMinutes = turnaroundMinutes;
}

bool TimetableEditor::open() {
    const auto path = m_session.prompts.file(
        {FileRequest::Mode::Open, std::string(kTimetableTitle), std::string(kTimetableFilter), ""});
    return path && load(*path);
}

bool TimetableEditor::load(const std::string& path) {
    m_table = ReadTimetableFile(path, m_session.prompts);
    if (!m_table) return false;
    const std::string& folder = m_session.state.programFolder;
    m_sources = ReadAirportSources(m_session.aptPath(), folder + "iata.dat", m_session.prompts);
    if (!m_sources) return false;
    m_path = path;
    replan();
    return !RefuseTimetable(m_plan, path, m_session.prompts);
}

void TimetableEditor::replan() {
    m_plan = PlanTimetable(m_session.db, *m_table, *m_sources, m_options);
}

void TimetableEditor::chooseZone(int zoneIndex) {
    m_options.zoneIndex = zoneIndex;
    replan();
}

void TimetableEditor::chooseRules(bool ifr) {
    m_options.ifr = ifr;
    replan();
}

bool TimetableEditor::editPercent(const std::string& text) {
    const auto percent = ParseWholeNumber(text, 1, 100);
    if (!percent) {
        m_session.prompts.message(std::string(kTimetableTitle),
                                  "The traffic percent must be a whole number from 1 to 100.",
                                  Icon::Exclamation);
        return false;
    }
    m_options.percent = std::to_string(*percent);
    replan();
    return true;
}

bool TimetableEditor::editAltitude(const std::string& text) {
    const auto level = ParseWholeNumber(text, 10, 450);
    if (!level) {
        m_session.prompts.message(std::string(kTimetableTitle),
                                  "The cruise altitude must be a flight level from 10 to 450.",
                                  Icon::Exclamation);
        return false;
    }
    m_options.altitude = std::to_string(*level);
    replan();
    return true;
}

bool TimetableEditor::editTailPattern(const std::string& text) {
    if (text.empty() || text.find(',') != std::string::npos) {
        m_session.prompts.message(std::string(kTimetableTitle),
                                  "The tail number pattern must not be empty nor hold a comma.",
                                  Icon::Exclamation);
        return false;
    }
    m_options.tailPattern = text;
    replan();
    return true;
}

std::string TimetableEditor::countsText() const {
    return PlanSummary(m_plan);
}

std::string TimetableEditor::cell(int row, int column) const {
    const TimetableProblem& problem = m_plan.problems[static_cast<std::size_t>(row)];
    switch (column) {
    case RowColumn:
        return problem.row > 0 ? std::to_string(problem.row) : std::string();
    case ProblemColumn:
        return problem.code;
    default:
        return problem.message;
    }
}

bool TimetableEditor::importPlan() {
    if (!canImport()) return false;
    // The flight being edited is stored first, so that its edits are not lost in the step.
    m_session.editor->storeFlight();
    ApplyTimetablePlan(m_session.db, m_plan);
    m_firstAirport = m_plan.flights.front().home;
    m_imported = m_plan.flightCount();
    return true;
}

std::string TimetableEditor::doneStatus() const {
    if (m_imported == 0) return {};
    return "'" + FileNameOf(m_path) + "' imported: " + std::to_string(m_imported) +
           (m_imported == 1 ? " flight" : " flights") + " added" +
           (m_plan.leftOut == 1  ? ", 1 problem left legs out"
            : m_plan.leftOut > 1 ? ", " + std::to_string(m_plan.leftOut) + " problems left legs out"
                                 : "");
}

} // namespace corvane
