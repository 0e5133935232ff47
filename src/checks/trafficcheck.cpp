#include "checks/trafficcheck.h"

#include "checks/flightchecker.h"
#include "checks/textindex.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>

namespace corvane {

namespace {

// A tail number shared by flights: how many, and the first two of them.
struct TailUse {
    int count = 0;
    int first = -1;
    int second = -1;
};

// The tail number of a line, without blanks; "-" (the tail of a new flight) is no tail number.
std::string_view TailOf(std::string_view line) {
    const auto first = line.find(',');
    if (first == std::string_view::npos) return {};
    const auto second = line.find(',', first + 1);
    const std::string_view tail =
        TrimView(line.substr(first + 1, second == std::string_view::npos ? second : second - first - 1));
    return tail == "-" ? std::string_view() : tail;
}

// Who uses which tail number (letter case ignored): the uses, and for each flight its use (-1 for none).
struct Tails {
    std::vector<TailUse> uses;
    std::vector<int> useOf;
};

Tails CountTails(const std::vector<std::string>& lines) {
    Tails tails;
    tails.useOf.assign(lines.size(), -1);
    TextIndex<HashIgnoringCase, EqualIgnoringCase> index(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view tail = TailOf(lines[i]);
        if (tail.empty()) continue;
        const int use = index.insert(tail, static_cast<int>(tails.uses.size())).first;
        if (use == static_cast<int>(tails.uses.size())) tails.uses.emplace_back();
        TailUse& u = tails.uses[static_cast<std::size_t>(use)];
        if (u.count == 0)
            u.first = static_cast<int>(i);
        else if (u.count == 1)
            u.second = static_cast<int>(i);
        ++u.count;
        tails.useOf[i] = use;
    }
    return tails;
}

void CheckDuplicates(int index, std::string_view line, const Tails& tails, TextIndex<>& lines,
                     FlightChecker& checker) {
    if (const int use = tails.useOf[static_cast<std::size_t>(index)]; use >= 0) {
        const TailUse& u = tails.uses[static_cast<std::size_t>(use)];
        if (u.count > 1)
            checker.add(Check::DuplicateTail, index, 0,
                        {"The tail number ", TailOf(line), " is also used by flight ",
                         std::to_string(u.first == index ? u.second : u.first), " (", std::to_string(u.count),
                         " flights in all)."});
    }
    const auto [first, added] = lines.insert(line, index);
    if (!added)
        checker.add(Check::DuplicateFlight, index, 0,
                    {"The flight line is identical to that of flight ", std::to_string(first), "."});
}

// Adds the problems of one flight, from the given one on, to the counts.
void Count(CheckReport& report, std::size_t from) {
    const std::vector<Problem>& problems = report.problems;
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

CheckReport Run(const TrafficDatabase& db, const CheckOptions& options,
                const std::function<void(const CheckReport&)>* eachFlight) {
    const std::vector<std::string>& lines = db.flightTable().lines();
    const Tails tails = CountTails(lines);
    TextIndex<> seen(lines.size());
    CheckReport report;
    FlightChecker checker(db, options, report);
    std::vector<Problem>& problems = report.problems;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) continue;
        const int index = static_cast<int>(i);
        const std::size_t from = problems.size();
        checker.check(index, line);
        CheckDuplicates(index, line, tails, seen, checker);
        if (from == problems.size()) continue;
        std::stable_sort(problems.begin() + static_cast<std::ptrdiff_t>(from), problems.end(), ProblemBefore);
        Count(report, from);
        if (eachFlight) {
            (*eachFlight)(report);
            problems.clear();
            report.texts.clear();
        }
    }
    return report;
}

} // namespace

CheckReport CheckTraffic(const TrafficDatabase& db, const CheckOptions& options) {
    return Run(db, options, nullptr);
}

CheckReport CheckTraffic(const TrafficDatabase& db, const CheckOptions& options,
                         const std::function<void(const CheckReport& flight)>& eachFlight) {
    return Run(db, options, &eachFlight);
}

} // namespace corvane
