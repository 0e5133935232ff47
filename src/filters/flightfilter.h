#pragma once
// The bulk filters: delete a selection of flights, set their traffic percent, or shift their departure
// and arrival times by whole hours. A selection is all flights, the flights that fly to an airport
// whose code begins with a text, or the flights of one aircraft. The filters change the FlightTable's
// lines in place; a deleted flight becomes an empty entry, like one deleted in the editor.

#include "traffic/prompts.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class FlightTable;
class TrafficDatabase;

enum class FilterMode { Delete, Percent, Time };

struct FilterSelection {
    enum class Kind { All, Airport, Aircraft };
    Kind kind = Kind::All;
    std::string icaoPrefix;    // Airport: the beginning of an ICAO code
    std::string aircraftTitle; // Aircraft: a title of the AircraftTable
};

// value: the text of the dialog's value field (percent, or hours to shift); unused by Delete.
struct Filter {
    FilterMode mode = FilterMode::Delete;
    std::string value;
};

// "Done editing N flights!"
std::string FilterDoneText(int changed);

// The checks of a run, in order: a prefix when the selection is by airport, an aircraft when it is by
// aircraft (aircraftChosen), no comma in the value, a percent of 1 to 100, an hour shift of -24 to 24.
// The message of the first that fails, or nothing.
std::optional<Prompt> CheckFilter(const Filter& filter, const FilterSelection& selection,
                                  bool aircraftChosen);

// One line changed by the filter; an empty line stays empty.
std::string ApplyFilter(std::string_view line, const Filter& filter);

// Called after each entry with (entries done, entry count), for the progress bar.
using FilterProgress = std::function<void(int done, int count)>;

// Each runs ApplyFilter over its selection and returns how many entries it changed: every entry for
// FilterAll (empty ones included), the selected ones for the others.
int FilterAll(FlightTable& flights, const Filter& filter, const FilterProgress& progress = {});
int FilterByAirport(FlightTable& flights, const Filter& filter, std::string_view icaoPrefix,
                    const FilterProgress& progress = {});
int FilterByAircraft(TrafficDatabase& db, const Filter& filter, std::string_view title,
                     const FilterProgress& progress = {});

int RunFilter(TrafficDatabase& db, const Filter& filter, const FilterSelection& selection,
              const FilterProgress& progress = {});

// True when one of the line's destinations begins with prefix (both trimmed, letter case ignored).
bool FliesToPrefix(std::string_view line, std::string_view prefix);

} // namespace corvane
