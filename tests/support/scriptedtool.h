#pragma once
// Programs for the tests of the tool runners: a copy of the test tool (scripttool.cpp) that does what
// its script says, the same on every system.

#include "tempdir.h"

#include <string>
#include <string_view>

namespace corvane::test {

// A program at dir/relativePath (its folders made) that runs script (one command a line, see
// scripttool.cpp); returns its path.
std::string ScriptedTool(const TempDir& dir, std::string_view relativePath, std::string_view script);

} // namespace corvane::test
