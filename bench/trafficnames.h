#pragma once
// Names, codes and lines of the generated airports and aircraft, in the shapes of real traffic files.

#include "random.h"

#include <cstdint>
#include <string>

namespace corvane {

inline constexpr int kDaySeconds = 24 * 60 * 60;

// Distinct four-letter codes for the indexes 0 .. 26^4 - 1, spread over the alphabet.
std::string AirportCode(int index);

// "KSEA,N47* 26.88',W122* 18.62',433,Seattle Tacoma,United States"
std::string AirportLine(Random& random, const std::string& code);

struct AircraftType {
    std::string title;
    int speed;
};

// Aircraft i of a set: a pure function of the seed and i, so that the installed ones can be listed
// without generating the rest.
AircraftType GeneratedAircraft(std::uint64_t seed, int i);

// The time of day of seconds as hh:mm:ss; in weekly flights preceded by the day of the week and "/".
std::string TimeText(bool weekly, int seconds);

} // namespace corvane
