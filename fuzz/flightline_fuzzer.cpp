// The flight line codec on any line. Properties:
//  - decoding the encoding of a decoded form gives that form back, except that the times of a flight
//    that does not repeat weekly are written without their day and so are split again at their
//    first "/" (the day before it, the time after it);
//  - a well-formed flight line (below) is given back unchanged by encoding its decoded form;
//  - the destinations of an encoded line are those of its legs, in line order.

#include "fuzzinput.h"
#include "traffic/fields.h"
#include "traffic/flightline.h"
#include "traffic/text.h"

#include <string>

namespace {

using namespace corvane;

void SplitAgain(std::string& day, std::string& time) {
    const std::string whole = time;
    const auto slash = whole.find('/');
    day = slash == std::string::npos ? std::string() : whole.substr(0, slash);
    if (slash != std::string::npos) time = whole.substr(slash + 1);
}

// What decoding an encoded form gives back, computed from the form itself.
FlightForm Reparsed(FlightForm form) {
    if (form.isWeekly()) return form;
    for (LegRow& leg : form.legs) {
        SplitAgain(leg.departureDay, leg.departure);
        SplitAgain(leg.arrivalDay, leg.arrival);
    }
    return form;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// A line as the writer and the editor produce it: every field followed by ",", five header fields
// and whole legs; "N%", "WEEK" or "NHr", "IFR" or "VFR"; times with exactly one day prefix in weekly
// flights and none in others; destinations present and in upper case.
bool IsWellFormed(std::string_view line) {
    auto fields = SplitFields(line, ',');
    if (!fields.back().empty()) return false;
    fields.pop_back();
    if (fields.size() < 11 || (fields.size() - 5) % 6 != 0) return false;
    const bool weekly = fields[3] == "WEEK";
    if (!EndsWith(fields[2], "%")) return false;
    if (!weekly && (!EndsWith(fields[3], "Hr") || fields[3] == "WEEKHr")) return false;
    if (fields[4] != "IFR" && fields[4] != "VFR") return false;
    for (std::size_t leg = 5; leg < fields.size(); leg += 6) {
        for (const std::string_view time : {fields[leg], fields[leg + 1]}) {
            const auto slash = time.find('/');
            if (weekly != (slash != std::string_view::npos)) return false;
        }
        const std::string_view destination = fields[leg + 5];
        if (destination.empty() || Upper(destination) != destination) return false;
    }
    return true;
}

std::vector<std::string> LineOrderDestinations(const FlightForm& form) {
    std::vector<std::string> destinations;
    for (std::size_t r = 1; r <= form.legs.size(); ++r) {
        const std::string& destination = form.legs[r % form.legs.size()].destination;
        if (destination.empty()) break;
        destinations.push_back(destination);
    }
    return destinations;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = InputText(data, size);
    const FlightForm form = DecodeFlightLine(line);
    Require(!form.legs.empty(), "a decoded flight has a leg");
    const std::string encoded = EncodeFlightLine(form);
    Require(!encoded.empty() && encoded.back() == ',', "an encoded line ends with a comma");

    const FlightForm again = DecodeFlightLine(encoded);
    Require(again == Reparsed(form), "decoding the encoded form gives the form back");
    Require(DecodeFlightLine(EncodeFlightLine(again)) == Reparsed(again), "decode after encode is stable");
    if (IsWellFormed(line)) Require(encoded == line, "a well-formed line is given back unchanged");

    const auto found = FlightDestinations(encoded);
    const std::vector<std::string> destinations(found.begin(), found.end());
    Require(destinations == LineOrderDestinations(form), "destinations in line order");
    return 0;
}
