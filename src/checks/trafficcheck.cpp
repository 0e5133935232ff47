#include "checks/trafficcheck.h"

#include "checks/flightchecker.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <unordered_map>

namespace corvane {

namespace {

// A tail number shared by flights: how many, and the first two of them.
struct TailUse {
    int count = 0;
    int first = -1;
    int second = -1;
};
using TailMap = std::unordered_map<std::string_view, TailUse, HashIgnoringCase, EqualIgnoringCase>;

// The tail number of a line, without blanks; "-" (the tail of a new flight) is no tail number.
std::string_view TailOf(std::string_view line) {
    const auto first = line.find(',');
    if (first == std::string_view::npos) return {};
    const auto second = line.find(',', first + 1);
    const std::string_view tail =
        TrimView(line.substr(first + 1, second == std::string_view::npos ? second : second - first - 1));
    return tail == "-" ? std::string_view() : tail;
}

TailMap CountTails(const std::vector<std::string>& lines) {
    TailMap tails;
    tails.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view tail = TailOf(lines[i]);
        if (tail.empty()) continue;
        TailUse& use = tails[tail];
        if (use.count == 0)
            use.first = static_cast<int>(i);
        else if (use.count == 1)
            use.second = static_cast<int>(i);
        ++use.count;
    }
    return tails;
}

void CheckDuplicates(int index, std::string_view line, const TailMap& tails,
                     std::unordered_map<std::string_view, int>& lines, std::vector<Problem>& out) {
    if (const std::string_view tail = TailOf(line); !tail.empty()) {
        const TailUse& use = tails.find(tail)->second;
        if (use.count > 1) {
            const int other = use.first == index ? use.second : use.first;
            out.push_back({Check::DuplicateTail, index, 0,
                           "The tail number " + std::string(tail) + " is also used by flight " +
                               std::to_string(other) + " (" + std::to_string(use.count) +
                               " flights in all)."});
        }
    }
    const auto [first, added] = lines.emplace(line, index);
    if (!added)
        out.push_back(
            {Check::DuplicateFlight, index, 0,
             "The flight line is identical to that of flight " + std::to_string(first->second) + "."});
}

void Count(const std::vector<Problem>& problems, std::size_t from, CheckReport& report) {
    if (from == problems.size()) return;
    ++report.flightsWithProblems;
    bool error = false, dropped = false;
    for (std::size_t i = from; i < problems.size(); ++i) {
        if (problems[i].severity() == Severity::Error) {
            ++report.errors;
            error = true;
            dropped = dropped || DropsFlight(problems[i].check);
        } else {
            ++report.warnings;
        }
    }
    if (dropped)
        ++report.flightsDropped;
    else if (error)
        ++report.flightsMishandled;
}

} // namespace

CheckReport CheckTraffic(const TrafficDatabase& db, const CheckOptions& options) {
    const std::vector<std::string>& lines = db.flightTable().lines();
    const TailMap tails = CountTails(lines);
    std::unordered_map<std::string_view, int> seen;
    seen.reserve(lines.size());
    FlightChecker checker(db, options);
    CheckReport report;
    std::vector<Problem>& problems = report.problems;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) continue;
        const int index = static_cast<int>(i);
        const std::size_t from = problems.size();
        checker.check(index, line, problems);
        CheckDuplicates(index, line, tails, seen, problems);
        std::stable_sort(problems.begin() + static_cast<std::ptrdiff_t>(from), problems.end(), ProblemBefore);
        Count(problems, from, report);
    }
    return report;
}

} // namespace corvane
