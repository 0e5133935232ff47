#pragma once
// The About box's text: the program and its version, the licences of the data that ship with it, and
// the version of the toolkit it runs on.

#include <string>
#include <string_view>

namespace corvane {

std::string AboutText(std::string_view version, std::string_view toolkitVersion);

} // namespace corvane
