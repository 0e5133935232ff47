#include "editors/rerouteeditor.h"

#include "editors/flighteditor.h"
#include "editors/statustexts.h"
#include "traffic/changejournal.h"
#include "traffic/fields.h"
#include "traffic/prompts.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

namespace {

std::string Moved(const std::string& from, const ReroutePlan& plan) {
    return Counted(static_cast<long long>(plan.changes.size()), "flight", "flights") + " with " +
           Counted(plan.legs, "leg", "legs") + " to or from " + from;
}

std::string LeftOut(const ReroutePlan& plan) {
    return Counted(static_cast<long long>(plan.leftOut.size()), "flight", "flights") + " " +
           (plan.leftOut.size() == 1 ? "is" : "are") + " left as " +
           (plan.leftOut.size() == 1 ? "it is" : "they are") + ": a leg of " +
           (plan.leftOut.size() == 1 ? "it" : "each") + " would depart from and arrive at " + plan.to + ".";
}

} // namespace

std::string RerouteDoneText(const TrafficDatabase& db, std::string_view from, const ReroutePlan& plan,
                            OldAirport old, std::size_t maxNamed) {
    const std::string code = Upper(from);
    std::string text = "Moved the traffic of " + code + " to " + plan.to + ": " + Moved(code, plan) + ".";
    if (!plan.leftOut.empty()) {
        text += "\r\n\r\n" + LeftOut(plan);
        for (std::size_t i = 0; i < plan.leftOut.size() && i < maxNamed; ++i) {
            const std::string& line = db.flightTable().at(plan.leftOut[i]);
            text += "\r\nflight " + std::to_string(plan.leftOut[i]) + ": " + RouteSummary(line) + " (" +
                    GetField(line, 2, ',') + ")";
        }
        if (plan.leftOut.size() > maxNamed)
            text += "\r\nand " +
                    Counted(static_cast<long long>(plan.leftOut.size() - maxNamed), "other", "others");
    }
    switch (old) {
    case OldAirport::Kept:
        break;
    case OldAirport::Removed:
        text += "\r\n\r\n" + code + " was taken out of the airport table.";
        break;
    case OldAirport::StillUsed:
        text +=
            "\r\n\r\n" + code + " stays in the airport table: the flights left as they are still fly there.";
        break;
    case OldAirport::NotInTable:
        text += "\r\n\r\n" + code + " was not in the airport table.";
        break;
    }
    return text;
}

RerouteEditor::RerouteEditor(TrafficDatabase& db, FlightEditor& editor, Prompts& prompts)
    : BulkChangeEditor(db, editor, prompts) {}

void RerouteEditor::editFrom(const std::string& text) {
    m_from = Upper(text);
}

void RerouteEditor::editTo(const std::string& text) {
    m_to = Upper(text);
}

std::string RerouteEditor::previewText() const {
    if (const auto refused = CheckReroute(m_db, m_from, m_to)) return refused->text;
    const ReroutePlan plan = PlanReroute(m_db, m_from, m_to);
    std::string text;
    if (!plan.changes.empty()) text = Moved(m_from, plan) + " will fly to or from " + plan.to + " instead.";
    if (!plan.leftOut.empty()) text += (text.empty() ? "" : " ") + LeftOut(plan);
    if (text.empty()) text = "No flight flies to or from " + m_from + ".";
    if (m_removeOld && m_db.airportTable().findByIcao(m_from) >= 0)
        text += plan.leftOut.empty() ? " " + m_from + " leaves the airport table."
                                     : " " + m_from + " stays in the airport table, as they still fly there.";
    return text;
}

bool RerouteEditor::run(const FilterProgress& progress, const std::function<void()>& ended) {
    if (const auto refused = CheckReroute(m_db, m_from, m_to)) {
        m_prompts.ask(*refused);
        return false;
    }
    // The editor lets go of its flight, whose airports may change.
    m_editor.releaseFlight();
    ReroutePlan plan = PlanReroute(m_db, m_from, m_to, progress);
    OldAirport old = OldAirport::Kept;
    {
        StepScope step(m_db.journal(), std::string(kCaption));
        old = ApplyReroute(m_db, plan, m_from, m_removeOld);
    }
    m_status = RerouteStatus(m_from, plan.to, plan, old);
    if (ended) ended();
    m_prompts.message(std::string(kCaption), RerouteDoneText(m_db, m_from, plan, old, kNamedFlights),
                      Icon::Information);
    return true;
}

} // namespace corvane
