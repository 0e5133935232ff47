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
#include <vector>

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
// "1 flight", "2 flights": the count and the word that goes with it.
std::string Counted(long long count, std::string_view one, std::string_view many);

// The checks of a run, in order: a prefix when the selection is by airport, an aircraft when it is by
// aircraft (aircraftChosen), no comma in the value, a percent of 1 to 100, an hour shift of -24 to 24.
// The message of the first that fails, or nothing.
std::optional<Prompt> CheckFilter(const Filter& filter, const FilterSelection& selection,
                                  bool aircraftChosen);
// The first two of those checks, for the changes that take no value.
std::optional<Prompt> CheckSelection(const FilterSelection& selection, bool aircraftChosen);

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

// Which flight lines a selection takes, as the filters take them (an empty entry never): every line,
// those that fly to an airport whose code begins with the prefix, or those of the aircraft whose title
// the selection names (none when no aircraft has it).
class FlightSelector {
public:
    FlightSelector(const TrafficDatabase& db, const FilterSelection& selection);
    bool selects(std::string_view line) const;

private:
    FilterSelection::Kind m_kind;
    std::string m_prefix;
    std::string m_number; // canonical; empty when no aircraft has the title
};

// A new text for one flight of the FlightTable. The bulk changes work out all of theirs before
// anything changes, so that a dialog can count them first.
struct LineChange {
    int index = -1;
    std::string line;
};
// Moves each line into place through the table's mutator (one record of a step when inside one); the
// changes keep their indexes, so that they can still be counted.
void ApplyLineChanges(FlightTable& flights, std::vector<LineChange>& changes);

} // namespace corvane
