#include "editors/fieldcheck.h"

#include "traffic/prompts.h"
#include "traffic/text.h"

#include <algorithm>

namespace corvane {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool RefuseComma(Prompts& prompts, std::string_view text) {
    if (!Contains(text, ',')) return false;
    prompts.message("Do not use comma", "The character comma '','' is not allowed!", Icon::Exclamation);
    return true;
}

bool RefuseDepartureTime(Prompts& prompts, std::string_view text) {
    if (text.size() < 5) return false;
    const auto colon = text.find(':');
    const std::string_view minutes = colon == std::string_view::npos ? text : text.substr(colon + 1);
    if (minutes.size() == 2 && std::all_of(minutes.begin(), minutes.end(), IsDigit) && minutes[0] < '6')
        return false;
    prompts.message("Wrong departure time", "The departure time must be hh:mm, with minutes from 00 to 59.",
                    Icon::Exclamation);
    return true;
}

} // namespace corvane
