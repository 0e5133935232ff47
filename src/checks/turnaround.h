#pragma once
// The turnaround minimum of the traffic check: the least ground time between two legs, in whole
// minutes (0 to 1440, 10 by default). Kept in the settings; the Options window and corvane-cli's
// --turnaround set it.

#include "checks/trafficcheck.h"
#include "environment/minutesetting.h"
#include "platform/settingsstore.h"

namespace corvane {

inline constexpr MinuteSetting kTurnaroundMinutes{kTurnaroundSetting, 0, 1440, kDefaultTurnaroundMinutes};

} // namespace corvane
