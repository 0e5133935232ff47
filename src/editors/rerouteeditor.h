#pragma once
// "Move an airport's traffic..." without its widgets: the airport whose traffic moves, the airport that
// takes it, whether the old one leaves the airport table, what a run would change (shown before it
// runs) and the run, one step of undo.

#include "editors/bulkchangeeditor.h"
#include "filters/reroute.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

class TrafficDatabase;

// The report of a run: what moved, each flight left as it is (the first maxNamed of them named by
// index, route and tail number), and what became of the old airport. Lines joined by CR LF.
std::string RerouteDoneText(const TrafficDatabase& db, std::string_view from, const ReroutePlan& plan,
                            OldAirport old, std::size_t maxNamed);

class RerouteEditor final : public BulkChangeEditor {
public:
    static constexpr std::string_view kCaption = "Move an airport's traffic";
    static constexpr std::string_view kInfo =
        "Every leg to or from the first airport goes to or from the second instead. A flight with a leg "
        "between the two airports would then depart from and arrive at the same airport: it is left as it "
        "is and named in the report.";
    // How many flights left as they are the report names; the rest are counted.
    static constexpr std::size_t kNamedFlights = 20;

    RerouteEditor(TrafficDatabase& db, FlightEditor& editor, Prompts& prompts);

    const std::string& fromText() const { return m_from; }
    const std::string& toText() const { return m_to; }
    bool removeOld() const { return m_removeOld; }
    // Codes are kept in upper case.
    void editFrom(const std::string& text);
    void editTo(const std::string& text);
    void setRemoveOld(bool remove) { m_removeOld = remove; }

    std::string previewText() const override;
    bool run(const FilterProgress& progress = {}, const std::function<void()>& ended = {}) override;

private:
    std::string m_from, m_to;
    bool m_removeOld = false;
};

} // namespace corvane
