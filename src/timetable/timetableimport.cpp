#include "timetable/timetableimport.h"

#include "platform/paths.h"
#include "platform/textfile.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"

namespace corvane {

namespace {

void Refuse(Prompts& prompts, const std::string& path, const std::string& why) {
    prompts.message(std::string(kTimetableTitle), "''" + path + "'' cannot be imported.\r\n" + why,
                    Icon::Exclamation);
}

// 12,345
std::string Count(int n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

std::string Counted(int n, const std::string& one, const std::string& many) {
    return Count(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::optional<CsvTable> ReadTimetableFile(const std::string& path, Prompts& prompts) {
    std::string error;
    const auto bytes = ReadFileBytes(path, &error);
    if (!bytes) {
        ReportReadError(prompts, error);
        return std::nullopt;
    }
    auto table = CsvTable::parse(*bytes);
    if (!table) Refuse(prompts, path, "The file is not a timetable: it is not text.");
    return table;
}

std::optional<AirportSources> ReadAirportSources(const std::string& aptPath, const std::string& iataPath,
                                                 Prompts& prompts) {
    std::string error;
    auto apt = ReadFileBytes(FindPath(aptPath).value_or(aptPath), &error);
    if (!apt) {
        ReportReadError(prompts, error);
        return std::nullopt;
    }
    const auto iata = ReadFileBytes(FindPath(iataPath).value_or(iataPath), &error);
    if (!iata) {
        ReportReadError(prompts, error);
        return std::nullopt;
    }
    return AirportSources(std::move(*apt), *iata);
}

bool RefuseTimetable(const TimetablePlan& plan, const std::string& path, Prompts& prompts) {
    if (plan.error.empty()) return false;
    Refuse(prompts, path, plan.error);
    return true;
}

std::string PlanSummary(const TimetablePlan& plan) {
    std::string text = Counted(plan.rows, "row", "rows") + ", " +
                       Counted(plan.rotations, "rotation", "rotations") + ", " +
                       Counted(plan.flightCount(), "flight", "flights");
    const int problems = static_cast<int>(plan.problems.size());
    if (problems == 0) return text + "; no problems";
    text += "; " + Counted(problems, "problem", "problems");
    if (plan.leftOut > 0)
        text += ", " +
                (plan.leftOut == problems ? std::string(problems == 1 ? "leaving" : "all leaving")
                                          : Count(plan.leftOut) + " of them leaving") +
                " legs out";
    return text;
}

} // namespace corvane
