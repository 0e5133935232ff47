#include "trafficnames.h"

#include <array>
#include <cstdio>

namespace corvane {

namespace {

struct Model {
    const char* name;
    int cruiseSpeed;
};

constexpr std::array kModels{
    Model{"Boeing 737-400", 430},  Model{"Boeing 737-800", 450},       Model{"Boeing 747-400", 490},
    Model{"Boeing 757-200", 460},  Model{"Boeing 767-300ER", 470},     Model{"Boeing 777-200", 490},
    Model{"Airbus A320", 450},     Model{"Airbus A321", 450},          Model{"Airbus A330-300", 470},
    Model{"Airbus A340-600", 480}, Model{"Bombardier CRJ-700", 440},   Model{"Embraer ERJ-145", 430},
    Model{"Dash 8-100", 270},      Model{"ATR 72-500", 275},           Model{"Fokker 100", 420},
    Model{"MD-83", 440},           Model{"Cessna Skyhawk 172SP", 124}, Model{"Beech Baron 58", 200},
    Model{"Learjet 45", 460},      Model{"Douglas DC-3", 180},
};
constexpr std::array kAirlines{
    "Alaska Airlines", "Horizon Air", "United",    "Delta",   "American",  "Lufthansa",
    "British Airways", "Air France",  "KLM",       "SAS",     "Iberia",    "Qantas",
    "Air Canada",      "WestJet",     "Southwest", "JetBlue", "Norwegian", "Austrian \xD6sterreich",
    "A\xE9roflot",     "Private",
};
constexpr std::array kCities{
    "Seattle",  "Tacoma",  "Portland",  "Spokane",    "Boise",     "Denver",  "Chicago",   "Atlanta",
    "Dallas",   "Houston", "Phoenix",   "San Diego",  "Vancouver", "Calgary", "Toronto",   "Z\xFCrich",
    "London",   "Paris",   "Frankfurt", "M\xFCnchen", "Oslo",      "Bergen",  "Stockholm", "Troms\xF8",
    "Madrid",   "Lisbon",  "Rome",      "Athens",     "Cairo",     "Nairobi", "Sydney",    "Melbourne",
    "Auckland", "Tokyo",   "Osaka",     "Seoul",      "Beijing",   "Delhi",   "Dubai",     "Reykjav\xEDk",
};
constexpr std::array kAirportKinds{"Intl", "Regional", "Municipal", "Field", "County", "Airpark", "Airport"};
constexpr std::array kCountries{
    "United States", "Canada",  "United Kingdom", "France",      "Germany", "Norway",
    "Sweden",        "Denmark", "Spain",          "Portugal",    "Italy",   "Greece",
    "Egypt",         "Kenya",   "Australia",      "New Zealand", "Japan",
};

std::string Format(const char* format, int a, int b, int c) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

std::string Coordinate(Random& random, char positive, char negative, int maxDegrees) {
    const int hundredths = random.between(0, 5999);
    return (random.chance(50) ? positive : negative) +
           Format("%d* %d.%02d'", random.between(0, maxDegrees - 1), hundredths / 100, hundredths % 100);
}

} // namespace

std::string AirportCode(int index) {
    constexpr std::uint64_t kCodes = 26 * 26 * 26 * 26;
    auto n = (static_cast<std::uint64_t>(index) * 7919 + 104729) % kCodes;
    std::string code(4, 'A');
    for (int i = 3; i >= 0; --i, n /= 26) code[static_cast<std::size_t>(i)] = static_cast<char>('A' + n % 26);
    return code;
}

std::string AirportLine(Random& random, const std::string& code) {
    return code + ',' + Coordinate(random, 'N', 'S', 90) + ',' + Coordinate(random, 'E', 'W', 180) + ',' +
           std::to_string(random.between(-50, 9000)) + ',' + random.pick(kCities) + ' ' +
           random.pick(kAirportKinds) + ',' + random.pick(kCountries);
}

AircraftType GeneratedAircraft(std::uint64_t seed, int i) {
    Random random(seed * 1000003 + static_cast<std::uint64_t>(i));
    const Model model = random.pick(kModels);
    return {std::string(model.name) + ' ' + random.pick(kAirlines) + ' ' + std::to_string(i + 1),
            model.cruiseSpeed + random.between(-10, 10)};
}

std::string TimeText(bool weekly, int seconds) {
    const int inDay = seconds % kDaySeconds;
    std::string text = Format("%02d:%02d:%02d", inDay / 3600, inDay / 60 % 60, inDay % 60);
    return weekly ? std::to_string(seconds / kDaySeconds % 7) + '/' + text : text;
}

} // namespace corvane
