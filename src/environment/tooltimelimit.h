#pragma once
// How long a traffic tool may run before it is stopped and reported, in whole minutes (1 to 1440, 10
// by default). Kept in the settings; the Options window sets it, the program and corvane-cli read it.

#include "environment/minutesetting.h"
#include "platform/settingsstore.h"
#include "platform/toolrunner.h"

namespace corvane {

inline constexpr MinuteSetting kToolTimeLimitMinutes{kToolTimeLimitSetting, 1, 1440,
                                                     static_cast<int>(kDefaultToolTimeLimit.count())};

} // namespace corvane
