// The timeline of any flight line, on each repeat period: every stretch lies on the clock, and
// something overlaps exactly when the legs and ground times add up to more than the period.

#include "checks/flighttimeline.h"
#include "fuzzinput.h"
#include "traffic/flightline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    const FlightForm form = DecodeFlightLine(InputText(data, size));
    for (const std::string& repeat :
         {form.repeat, std::string("24"), std::string("2"), std::string("WEEK")}) {
        const FlightTimeline t = BuildFlightTimeline(form.legs, repeat, 10);
        if (t.state != TimelineState::Shown) {
            Require(t.legs.empty(), "nothing shown, no legs");
            continue;
        }
        Require(t.legs.size() == form.legs.size(), "a bar per leg");
        Require(t.total % t.period == 0, "the legs and ground times go round the clock whole");
        bool overlaps = false;
        for (const TimelineLeg& leg : t.legs) {
            for (const ClockSpan& span : {leg.flight, leg.ground}) {
                Require(span.start >= 0 && span.start < t.period && span.length >= 0 &&
                            span.length < t.period,
                        "stretches on the clock");
                long long pieces = 0;
                for (const ClockSpan& piece : ClockPieces(span, t.period)) {
                    Require(piece.start >= 0 && piece.start + piece.length <= t.period,
                            "pieces inside the period");
                    pieces += piece.length;
                }
                Require(pieces == span.length, "the pieces make the stretch");
            }
            Require(leg.lane >= 0 && leg.lane < t.lanes, "lanes counted");
            overlaps |= leg.flightOverlaps || leg.groundOverlaps;
        }
        Require(overlaps == t.tooLong(), "overlaps exactly when the round is too long");
    }
    return 0;
}
