#include "generator.h"

#include "platform/textfile.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"
#include "trafficnames.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <stdexcept>

namespace corvane {

namespace {

constexpr std::array kPercents{10, 25, 50, 75, 100};

// Whether aircraft i is installed: a fixed permutation of the indexes puts exactly
// installedAircraft of them below the cut.
bool IsInstalled(const TrafficSetSize& size, int i) {
    auto stride = static_cast<std::uint64_t>(7919);
    while (std::gcd(stride, static_cast<std::uint64_t>(size.aircraft)) != 1) ++stride;
    return (static_cast<std::uint64_t>(i) * stride + size.seed) % static_cast<std::uint64_t>(size.aircraft) <
           static_cast<std::uint64_t>(size.installedAircraft);
}

class FlightWriter {
public:
    FlightWriter(const TrafficSetSize& size, Random& random)
        : m_size(size)
        , m_random(random) {}

    void append(std::string& out, int flight) {
        const int aircraft = flight < m_size.aircraft ? flight : m_random.between(0, m_size.aircraft - 1);
        const bool weekly = m_random.chance(10);
        out += "AC#" + std::to_string(aircraft + 1) + ',';
        out += m_random.chance(15) ? std::string("-") : "N" + std::to_string(m_random.between(100, 99999));
        out += ',' + std::to_string(m_random.pick(kPercents)) + "%,";
        out += weekly ? "WEEK," : m_random.chance(85) ? "24Hr," : "12Hr,";
        out += m_random.chance(90) ? "IFR," : "VFR,";

        const int legs = m_random.between(m_size.minLegs, m_size.maxLegs);
        int clock = m_random.between(0, 7 * kDaySeconds - 1) / 300 * 300;
        int first = -1, previous = -1;
        for (int leg = 0; leg < legs; ++leg) {
            const int destination = pickAirport(previous, leg == legs - 1 ? first : -1);
            if (first < 0) first = destination;
            previous = destination;
            const int arrival = clock + m_random.between(6, 120) * 300;
            out += TimeText(weekly, clock) + ',' + TimeText(weekly, arrival) + ',';
            out += std::to_string(m_random.between(5, 41) * 10) + (m_random.chance(10) ? ",R," : ",F,");
            out += std::to_string(m_random.between(1, 9999)) + ',' + AirportCode(destination) + ',';
            clock = arrival + m_random.between(4, 24) * 300;
        }
        out += kLineEnd;
    }

private:
    // Airports not used yet come first, so that every airport is used; no leg flies to the airport
    // it departs from.
    int pickAirport(int previous, int first) {
        if (m_nextUnused < m_size.airports) return m_nextUnused++;
        for (;;) {
            const int airport = m_random.between(0, m_size.airports - 1);
            if (airport != previous && airport != first) return airport;
        }
    }

    const TrafficSetSize& m_size;
    Random& m_random;
    int m_nextUnused = 0;
};

void AppendLine(std::string& out, std::string_view line) {
    out += line;
    out += kLineEnd;
}

} // namespace

std::string SizeProblem(const TrafficSetSize& size) {
    if (size.minLegs < 1 || size.maxLegs < size.minLegs) return "legs: need 1 <= min <= max";
    if (size.aircraft < 1 || size.aircraft > size.flights) return "aircraft: need 1 <= aircraft <= flights";
    if (size.installedAircraft < 0 || size.installedAircraft > size.aircraft)
        return "installed: need 0 <= installed <= aircraft";
    if (size.airports < 3 ||
        static_cast<long long>(size.airports) > static_cast<long long>(size.flights) * size.minLegs)
        return "airports: need 3 <= airports <= flights x minimum legs";
    if (size.aptOverlap < 0 || size.aptOverlap > size.airports || size.aptOverlap > size.aptAirports)
        return "apt.dat overlap: need 0 <= overlap <= airports and <= apt.dat airports";
    if (static_cast<long long>(size.airports) + size.aptAirports - size.aptOverlap > 26LL * 26 * 26 * 26)
        return "too many airports for four-letter codes";
    return {};
}

std::vector<InstalledAircraft> GenerateInstalledAircraft(const TrafficSetSize& size) {
    std::vector<InstalledAircraft> installed;
    for (int i = 0; i < size.aircraft; ++i) {
        if (!IsInstalled(size, i)) continue;
        AircraftType type = GeneratedAircraft(size.seed, i);
        installed.push_back({std::move(type.title), std::to_string(type.speed)});
    }
    return installed;
}

TrafficSet GenerateTrafficSet(const TrafficSetSize& size) {
    if (const std::string problem = SizeProblem(size); !problem.empty()) throw std::invalid_argument(problem);
    Random random(size.seed);
    TrafficSet set;
    set.installed = GenerateInstalledAircraft(size);

    // Airports: the traffic set's are codes 0 .. airports - 1; apt.dat lists the first aptOverlap of
    // them and then codes of its own. The writer sorts airport lines by their text.
    std::vector<std::string> airports, apt;
    for (int i = 0; i < size.airports; ++i) airports.push_back(AirportLine(random, AirportCode(i)));
    apt.assign(airports.begin(), airports.begin() + size.aptOverlap);
    for (int i = 0; i < size.aptAirports - size.aptOverlap; ++i)
        apt.push_back(AirportLine(random, AirportCode(size.airports + i)));
    std::stable_sort(airports.begin(), airports.end(), LessIgnoringCase());
    std::sort(apt.begin(), apt.end());
    for (const std::string& line : apt) AppendLine(set.apt, line);

    std::string& out = set.project;
    out.reserve(static_cast<std::size_t>(size.flights) * (40 + 20 * (size.minLegs + size.maxLegs)));
    for (const char* line : {kProjectHeader, "", "", kAircraftComment}) AppendLine(out, line);
    // Flight i < aircraft uses aircraft i first, so the numbers are those of first use already.
    for (int i = 0; i < size.aircraft; ++i) {
        const AircraftType type = GeneratedAircraft(size.seed, i);
        AppendLine(out, "AC#" + std::to_string(i + 1) + ',' + std::to_string(type.speed) + ",\"" +
                            type.title + '"');
    }
    for (const char* line : {"", "", kAirportComment}) AppendLine(out, line);
    for (const std::string& line : airports) AppendLine(out, line);
    for (const char* line : {"", "", kFlightComment}) AppendLine(out, line);
    FlightWriter flights(size, random);
    for (int f = 0; f < size.flights; ++f) flights.append(out, f);
    return set;
}

void InstallAircraft(TrafficDatabase& db, const std::vector<InstalledAircraft>& installed) {
    InstalledAircraftTable& table = db.installedAircraftTable();
    TextTable::Batch batch(table);
    for (const InstalledAircraft& aircraft : installed)
        table.add({aircraft.title, aircraft.speed, aircraft.speed});
}

std::optional<TrafficSetFiles> WriteTrafficSet(const TrafficSet& set, const std::string& folder,
                                               std::string* error) {
    const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + '/';
    TrafficSetFiles files{base + "traffic.cvp", base + "apt.dat"};
    if (!SaveFileAtomically(files.project, set.project, error) ||
        !SaveFileAtomically(files.apt, set.apt, error))
        return std::nullopt;
    return files;
}

} // namespace corvane
