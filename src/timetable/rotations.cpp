#include "timetable/rotations.h"

#include "schedule/weektime.h"
#include "traffic/numbers.h"
#include "traffic/text.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <unordered_map>

namespace corvane {

namespace {

constexpr long long kDay = kDaySecondsInTimetable;
constexpr long long kWeek = kWeekSecondsInTimetable;

// One departure of a leg in the week; dep counts from Sunday 00:00 GMT, and inside a chain goes on
// past the week's end so that it keeps growing.
struct Instance {
    int leg;
    long long dep;
};

bool Earlier(const Instance& a, const Instance& b) {
    return a.dep != b.dep ? a.dep < b.dep : a.leg < b.leg;
}

// "Mon 08:05" for seconds from Sunday 00:00.
std::string WeekTimeText(long long seconds) {
    seconds = ((seconds % kWeek) + kWeek) % kWeek;
    return std::string(kDayNames[static_cast<std::size_t>(seconds / kDay)]) + " " +
           TwoDigits(seconds % kDay / 3600) + ":" + TwoDigits(seconds % 3600 / 60);
}

std::string RowText(int row) {
    return "Row " + std::to_string(row) + ": ";
}

// A sequence of a week that is the same day after day: 7m departures, each m on a day later.
bool RepeatsDaily(const std::vector<Instance>& sequence) {
    const std::size_t n = sequence.size();
    if (n == 0 || n % 7 != 0) return false;
    const std::size_t m = n / 7;
    for (std::size_t i = 0; i + m < n; ++i)
        if (sequence[i + m].leg != sequence[i].leg || sequence[i + m].dep != sequence[i].dep + kDay)
            return false;
    return true;
}

class Builder {
public:
    Builder(const std::vector<TimetableLeg>& legs, const std::vector<int>& aircraftOf,
            const std::vector<std::string>& aircraftNames, const RotationOptions& options, TailSet& usedTails,
            std::vector<TimetableProblem>& problems)
        : m_legs(legs)
        , m_aircraftOf(aircraftOf)
        , m_names(aircraftNames)
        , m_options(options)
        , m_usedTails(usedTails)
        , m_problems(problems) {}

    std::vector<Rotation> build() {
        std::vector<std::vector<int>> tails; // legs of each tail, in file order
        std::unordered_map<std::string, std::size_t> tailIndex;
        std::vector<std::vector<int>> untailed(m_names.size());
        for (std::size_t i = 0; i < m_legs.size(); ++i) {
            const TimetableLeg& leg = m_legs[i];
            if (!leg.tail.empty()) {
                const auto [it, added] = tailIndex.try_emplace(Upper(leg.tail), tails.size());
                if (added) tails.emplace_back();
                tails[it->second].push_back(static_cast<int>(i));
                m_usedTails.insert(it->first);
            } else if (leg.readable && m_aircraftOf[i] >= 0) {
                untailed[static_cast<std::size_t>(m_aircraftOf[i])].push_back(static_cast<int>(i));
            }
        }
        for (const std::vector<int>& legs : tails) tailRotation(legs);
        for (std::size_t aircraft = 0; aircraft < untailed.size(); ++aircraft)
            if (!untailed[aircraft].empty()) chain(static_cast<int>(aircraft), untailed[aircraft]);
        return std::move(m_rotations);
    }

private:
    const TimetableLeg& leg(int index) const { return m_legs[static_cast<std::size_t>(index)]; }
    long long arrival(const Instance& instance) const { return instance.dep + leg(instance.leg).duration; }

    void problem(int row, std::string code, std::string message, bool leftOut) {
        m_problems.push_back({row, std::move(code), RowText(row) + message, leftOut});
    }

    static std::vector<Instance> Instances(const TimetableLeg& leg, int index) {
        std::vector<Instance> instances;
        for (int day = 0; day < 7; ++day)
            if (leg.days & (1u << day)) instances.push_back({index, day * kDay + leg.departure});
        return instances;
    }

    // The legs of one tail, checked and turned into a rotation.
    void tailRotation(const std::vector<int>& legs) {
        const TimetableLeg& first = leg(legs.front());
        for (const int index : legs) {
            const int aircraft = m_aircraftOf[static_cast<std::size_t>(index)];
            if (!leg(index).readable || aircraft < 0) {
                problem(first.row, "rotation-left-out",
                        "the rotation of " + first.tail + " is left out: row " +
                            std::to_string(leg(index).row) + " of it cannot be imported.",
                        true);
                return;
            }
            if (aircraft != m_aircraftOf[static_cast<std::size_t>(legs.front())]) {
                problem(leg(index).row, "mixed-aircraft",
                        first.tail + " is " +
                            m_names[static_cast<std::size_t>(
                                m_aircraftOf[static_cast<std::size_t>(legs.front())])] +
                            " in row " + std::to_string(first.row) + " but " +
                            m_names[static_cast<std::size_t>(aircraft)] + " here; its rotation is left out.",
                        true);
                return;
            }
        }
        std::vector<Instance> sequence;
        for (const int index : legs)
            for (const Instance& instance : Instances(leg(index), index)) sequence.push_back(instance);
        std::sort(sequence.begin(), sequence.end(), Earlier);

        bool broken = false;
        std::set<std::tuple<int, int, int>> told; // what was reported of which pair of legs
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            const Instance& current = sequence[i];
            const Instance& next = sequence[(i + 1) % sequence.size()];
            const TimetableLeg& a = leg(current.leg);
            const TimetableLeg& b = leg(next.leg);
            const long long nextDep = next.dep + (i + 1 == sequence.size() ? kWeek : 0);
            const long long ground = nextDep - arrival(current);
            const int kind = a.to != b.from                         ? 0
                             : ground < 0                           ? 1
                             : ground < m_options.turnaroundSeconds ? 2
                                                                    : 3;
            if (kind < 2) broken = true;
            if (kind == 3 || !told.insert({current.leg, next.leg, kind}).second) continue;
            const std::string where =
                " (row " + std::to_string(b.row) + ", " + b.flight + " " + WeekTimeText(next.dep) + " GMT)";
            if (kind == 0)
                problem(a.row, "broken-rotation",
                        a.flight + " arrives at " + a.to + " but the next leg of " + first.tail +
                            " departs from " + b.from + where + ".",
                        true);
            else if (kind == 1)
                problem(a.row, "broken-rotation",
                        a.flight + " arrives at " + a.to + " at " + WeekTimeText(arrival(current)) +
                            " GMT, after the next leg of " + first.tail + " departs" + where + ".",
                        true);
            else
                problem(a.row, "short-turnaround",
                        first.tail + " stays " + std::to_string(ground / 60) + " minutes at " + a.to +
                            " before its next leg" + where + ", under the turnaround minimum of " +
                            std::to_string(m_options.turnaroundSeconds / 60) + " minutes.",
                        false);
        }
        if (broken) {
            problem(first.row, "rotation-left-out",
                    "the rotation of " + first.tail + " breaks, so it is left out.", true);
            return;
        }
        finish(first.tail, m_aircraftOf[static_cast<std::size_t>(legs.front())], sequence);
    }

    // A closed sequence of the week (departures increasing) as a rotation of 24Hr or WEEK flights.
    void finish(const std::string& tail, int aircraft, const std::vector<Instance>& sequence) {
        Rotation rotation;
        rotation.tail = tail;
        rotation.aircraft = aircraft;
        rotation.weekly = !RepeatsDaily(sequence);
        rotation.firstRow = leg(sequence.front().leg).row;
        const long long period = rotation.weekly ? kWeek : kDay;
        std::vector<FlightLeg> loop;
        const std::size_t count = rotation.weekly ? sequence.size() : sequence.size() / 7;
        for (std::size_t i = 0; i < count; ++i)
            loop.push_back({sequence[i].leg, static_cast<int>(sequence[i].dep % period)});
        if (static_cast<int>(loop.size()) <= m_options.maxLegs) {
            rotation.flights.push_back(std::move(loop));
        } else if (!split(loop, period, rotation)) {
            return;
        }
        m_rotations.push_back(std::move(rotation));
    }

    // Splits a loop that is too long into closed loops at one airport; false (reported) when no
    // airport is visited often enough.
    bool split(const std::vector<FlightLeg>& loop, long long period, Rotation& rotation) {
        const int n = static_cast<int>(loop.size());
        std::vector<long long> ground(static_cast<std::size_t>(n));
        std::map<std::string, std::vector<int>> stopsAt; // the stops after each leg, by airport
        for (int i = 0; i < n; ++i) {
            const FlightLeg& current = loop[static_cast<std::size_t>(i)];
            const FlightLeg& next = loop[static_cast<std::size_t>((i + 1) % n)];
            const long long arrive = current.departure + leg(current.leg).duration;
            ground[static_cast<std::size_t>(i)] = ((next.departure - arrive) % period + period) % period;
            stopsAt[leg(current.leg).to].push_back(i);
        }
        // Airports in order of their longest stop.
        std::vector<std::pair<long long, std::string>> airports;
        for (const auto& [airport, stops] : stopsAt) {
            long long longest = 0;
            for (const int stop : stops) longest = std::max(longest, ground[static_cast<std::size_t>(stop)]);
            airports.push_back({-longest, airport});
        }
        std::sort(airports.begin(), airports.end());
        for (const auto& [negativeLongest, airport] : airports) {
            const std::vector<int>& stops = stopsAt[airport];
            int start = stops.front();
            for (const int stop : stops)
                if (ground[static_cast<std::size_t>(stop)] > ground[static_cast<std::size_t>(start)])
                    start = stop;
            // Positions of the stops counted from start, start itself at 0 and again at n.
            std::vector<int> at;
            for (const int stop : stops) at.push_back((stop - start + n) % n);
            std::sort(at.begin(), at.end());
            at.push_back(n);
            // Fewest flights, then the most time on the ground at the cuts.
            struct Best {
                int pieces = -1;
                long long ground = 0;
                int from = -1;
            };
            std::vector<Best> best(at.size());
            best[0].pieces = 0;
            for (std::size_t j = 1; j < at.size(); ++j) {
                const long long cutGround = ground[static_cast<std::size_t>((at[j] + start) % n)];
                for (std::size_t i = j; i-- > 0 && at[j] - at[i] <= m_options.maxLegs;) {
                    if (best[i].pieces < 0) continue;
                    const Best candidate{best[i].pieces + 1, best[i].ground + cutGround, static_cast<int>(i)};
                    if (best[j].pieces < 0 || candidate.pieces < best[j].pieces ||
                        (candidate.pieces == best[j].pieces && candidate.ground > best[j].ground))
                        best[j] = candidate;
                }
            }
            if (best.back().pieces < 0) continue;
            std::vector<int> cuts{static_cast<int>(at.size()) - 1};
            while (cuts.back() != 0) cuts.push_back(best[static_cast<std::size_t>(cuts.back())].from);
            std::reverse(cuts.begin(), cuts.end());
            std::string sizes;
            for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
                std::vector<FlightLeg> piece;
                for (int p = at[static_cast<std::size_t>(cuts[k])] + 1;
                     p <= at[static_cast<std::size_t>(cuts[k + 1])]; ++p)
                    piece.push_back(loop[static_cast<std::size_t>((start + p) % n)]);
                sizes += std::string(sizes.empty() ? "" : ", ") + std::to_string(piece.size());
                rotation.flights.push_back(std::move(piece));
            }
            problem(rotation.firstRow, "split-rotation",
                    rotation.tail + " flies " + std::to_string(n) + " legs, more than the " +
                        std::to_string(m_options.maxLegs) + " a flight holds: it becomes " +
                        std::to_string(rotation.flights.size()) + " flights of the same tail (" + sizes +
                        " legs), split at " + airport + ".",
                    false);
            return true;
        }
        problem(rotation.firstRow, "too-many-legs",
                rotation.tail + " flies " + std::to_string(n) + " legs, more than the " +
                    std::to_string(m_options.maxLegs) +
                    " a flight holds, and comes back to no airport often enough to be split; it is left out.",
                true);
        return false;
    }

    std::string chainTail(const TimetableLeg& first) {
        std::string tail = m_options.tailPattern.empty() ? std::string("{flight}") : m_options.tailPattern;
        for (const auto& [token, value] : {std::pair<std::string, std::string>{"{flight}", first.flight},
                                           {"{n}", std::to_string(++m_chains)}})
            for (auto at = tail.find(token); at != std::string::npos;
                 at = tail.find(token, at + value.size()))
                tail.replace(at, token.size(), value);
        std::string unique = tail;
        for (int k = 2; !m_usedTails.insert(Upper(unique)).second; ++k)
            unique = tail + "-" + std::to_string(k);
        return unique;
    }

    // Chains the legs of one aircraft that have no tail.
    void chain(int aircraft, const std::vector<int>& legs) {
        // Every departure, sorted by airport and time; each airport's departures are one range.
        std::vector<Instance> all;
        for (const int index : legs)
            for (const Instance& instance : Instances(leg(index), index)) all.push_back(instance);
        std::sort(all.begin(), all.end(), [this](const Instance& a, const Instance& b) {
            const int byAirport = leg(a.leg).from.compare(leg(b.leg).from);
            return byAirport != 0 ? byAirport < 0 : Earlier(a, b);
        });
        std::unordered_map<std::string_view, std::pair<int, int>> range;
        for (int i = 0; i < static_cast<int>(all.size()); ++i) {
            auto [it, added] = range.try_emplace(leg(all[static_cast<std::size_t>(i)].leg).from, i, i + 1);
            if (!added) it->second.second = i + 1;
        }
        // Taken departures are skipped through "next free" links (union-find with path halving).
        std::vector<int> nextFree(all.size() + 1);
        for (std::size_t i = 0; i < nextFree.size(); ++i) nextFree[i] = static_cast<int>(i);
        const auto free = [&](int i) {
            while (nextFree[static_cast<std::size_t>(i)] != i)
                i = nextFree[static_cast<std::size_t>(i)] =
                    nextFree[static_cast<std::size_t>(nextFree[static_cast<std::size_t>(i)])];
            return i;
        };
        const auto take = [&](int i) { nextFree[static_cast<std::size_t>(i)] = i + 1; };
        // The earliest free departure from airport at or after time (cyclic in the week), as its
        // position and its time on the chain's clock; position -1 when none.
        const auto earliest = [&](std::string_view airport, long long time) -> std::pair<int, long long> {
            const auto it = range.find(airport);
            if (it == range.end()) return {-1, 0};
            const auto [begin, end] = it->second;
            const long long base = time - time % kWeek;
            const auto from = std::lower_bound(all.begin() + begin, all.begin() + end, time % kWeek,
                                               [](const Instance& a, long long t) { return a.dep < t; });
            int found = free(static_cast<int>(from - all.begin()));
            if (found < end) return {found, base + all[static_cast<std::size_t>(found)].dep};
            found = free(begin);
            if (found < end) return {found, base + kWeek + all[static_cast<std::size_t>(found)].dep};
            return {-1, 0};
        };

        std::vector<int> starts(all.size());
        for (std::size_t i = 0; i < starts.size(); ++i) starts[i] = static_cast<int>(i);
        std::sort(starts.begin(), starts.end(), [&](int a, int b) {
            return Earlier(all[static_cast<std::size_t>(a)], all[static_cast<std::size_t>(b)]);
        });
        std::vector<std::uint8_t> leftDays(m_legs.size(), 0);
        for (const int start : starts) {
            if (free(start) != start) continue;
            take(start);
            const Instance& first = all[static_cast<std::size_t>(start)];
            const std::string& home = leg(first.leg).from;
            const long long end = first.dep + kWeek; // the first leg again, a week on
            std::vector<Instance> sequence{first};
            while (!sequence.empty()) {
                const Instance& last = sequence.back();
                const long long ready = arrival(last) + m_options.turnaroundSeconds;
                const std::string& at = leg(last.leg).to;
                if (ready < end) {
                    const auto [next, time] = earliest(at, ready);
                    if (next >= 0 && time < end) {
                        take(next);
                        sequence.push_back({all[static_cast<std::size_t>(next)].leg, time});
                        continue;
                    }
                }
                if (at == home && ready <= end) break; // closed
                // No way on from here: the last leg is left over.
                leftDays[static_cast<std::size_t>(last.leg)] |=
                    static_cast<std::uint8_t>(1u << (last.dep % kWeek / kDay));
                sequence.pop_back();
            }
            if (!sequence.empty()) finish(chainTail(leg(sequence.front().leg)), aircraft, sequence);
        }
        for (const int index : legs) {
            const std::uint8_t days = leftDays[static_cast<std::size_t>(index)];
            if (days == 0) continue;
            const TimetableLeg& l = leg(index);
            problem(l.row, "unchained-leg",
                    l.flight + " from " + l.from + " to " + l.to + " (" + DaysText(days) +
                        ", GMT) fits in no rotation of " + m_names[static_cast<std::size_t>(aircraft)] +
                        ": no aircraft that flies it gets back to where it began within the week.",
                    true);
        }
    }

    const std::vector<TimetableLeg>& m_legs;
    const std::vector<int>& m_aircraftOf;
    const std::vector<std::string>& m_names;
    const RotationOptions& m_options;
    TailSet& m_usedTails;
    std::vector<TimetableProblem>& m_problems;
    std::vector<Rotation> m_rotations;
    int m_chains = 0;
};

} // namespace

std::vector<Rotation> BuildRotations(const std::vector<TimetableLeg>& legs,
                                     const std::vector<int>& aircraftOf,
                                     const std::vector<std::string>& aircraftNames,
                                     const RotationOptions& options, TailSet& usedTails,
                                     std::vector<TimetableProblem>& problems) {
    return Builder(legs, aircraftOf, aircraftNames, options, usedTails, problems).build();
}

} // namespace corvane
