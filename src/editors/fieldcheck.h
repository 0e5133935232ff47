#pragma once
// Checks on text typed into a field whose text ends up in a stored line. A refused text shows its
// message (exclamation icon, OK) and the caller keeps the value stored before.

#include <string_view>

namespace corvane {

class Prompts;

// The comma separates the fields of every traffic line: a text holding one is refused.
bool RefuseComma(Prompts& prompts, std::string_view text);

// A local departure time as typed into depTxt, once it is complete (hh:mm, five characters or more):
// refused unless its minutes, the text after its only ":", are two digits from 00 to 59. Seconds are
// refused too, as they would be taken for the minutes. Hours past 23 stay allowed (the next day's).
bool RefuseDepartureTime(Prompts& prompts, std::string_view text);

} // namespace corvane
