#pragma once
// Flight lines the tests share: a loop ENGM-ESSA-EKCH-ENGM and a shuttle ENGM-ESSA-ENGM with distinct
// times, and lines made from a list of stops.

#include <initializer_list>
#include <string>

namespace corvane::test {

inline constexpr const char* kLoop =
    "AC#1,LN-A,80%,24Hr,IFR,08:00:00,09:00:00,330,F,1,ESSA,10:00:00,11:00:00,330,F,2,EKCH,"
    "12:00:00,13:00:00,330,F,3,ENGM,";
inline constexpr const char* kShuttle =
    "AC#1,LN-B,100%,24Hr,IFR,08:00:00,09:00:00,330,F,1,ESSA,10:00:00,11:00:00,330,F,2,ENGM,";

// A daily flight whose legs fly to stops in order (the first departs from the last), all 08:00-09:00.
inline std::string FlightVisiting(std::initializer_list<const char*> stops) {
    std::string line = "AC#1,-,100%,24Hr,IFR,";
    for (const char* stop : stops) line += std::string("08:00:00,09:00:00,100,F,1,") + stop + ",";
    return line;
}

} // namespace corvane::test
