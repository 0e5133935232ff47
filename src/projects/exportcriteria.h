#pragma once
// The query form of the export: up to five criteria, each switched on by its check box, that select
// flights of the FlightTable. A flight is selected when it passes every checked criterion. The page
// binds its controls to an ExportCriteria; the rules (what unchecking clears, what the Export button
// refuses, which flights match) live here.

#include "traffic/prompts.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Progress;
class TrafficDatabase;

// The check boxes exportChk(0) .. exportChk(4).
enum class Criterion { AirportPrefix = 0, Percent = 1, Aircraft = 2, Rules = 3, Repeat = 4 };
inline constexpr int kCriterionCount = 5;

// The items of exPercentCom, in their order; PercentComparison::None is "no item shown".
enum class PercentComparison { None = -1, LessThan = 0, EqualTo = 1, MoreThan = 2 };
inline constexpr std::array<std::string_view, 3> kPercentComparisonItems{"Less than", "Equal to",
                                                                         "More than"};

// The items of exRepeatCom, in their order.
inline constexpr std::array<std::string_view, 7> kRepeatItems{"2 hours",  "4 hours",  "6 hours", "8 hours",
                                                              "12 hours", "24 hours", "WEEK"};

struct ExportCriteria {
    std::array<bool, kCriterionCount> checked{};
    std::string icaoPrefix;                                 // exIcaoTxt, kept upper case (Upper)
    PercentComparison comparison = PercentComparison::None; // exPercentCom
    std::string percent;                                    // exPercentTxt
    std::string aircraftTitle;                              // exAircraftCom; empty: no item
    bool ifr = false;                                       // exIFROpt
    bool vfr = false;                                       // exVFROpt
    std::string repeat;                                     // exRepeatCom; empty: no item

    bool isChecked(Criterion c) const { return checked[static_cast<std::size_t>(c)]; }
};

// exportChk_Click: checking a box leaves its controls as they are (checking Rules chooses IFR);
// unchecking clears them (texts empty, combos without item, neither rule chosen).
void CheckCriterion(ExportCriteria& criteria, Criterion criterion, bool checked);

// What the Export button makes of the criteria before anything is written.
struct ExportCheck {
    enum class Result { Ready, NothingToDo, Refused };
    Result result = Result::Ready;
    // The message for Refused: exclamation icon, OK button.
    Prompt refusal;
};

// The checks of the Export button, in their order; the first that fails is the result. An empty
// FlightTable is NothingToDo (no message). An aircraft title that no AircraftTable row holds, or a
// repeat text that is not an exRepeatCom item, counts as no item chosen.
ExportCheck ValidateExport(const TrafficDatabase& db, const ExportCriteria& criteria);

// exportLst: copies of the FlightTable lines that pass every checked criterion, in table order. Deleted
// (empty) entries are never selected. progress shows the whole part of i / n x 100 before entry i.
std::vector<std::string> SelectExportFlights(const TrafficDatabase& db, const ExportCriteria& criteria,
                                             Progress& progress);

// The entries of exAircraftCom: the title of every AircraftTable row, in the order of a sorted combo.
std::vector<std::string> ExportAircraftTitles(const TrafficDatabase& db);

} // namespace corvane
