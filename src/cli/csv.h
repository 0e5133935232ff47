#pragma once
// The CSV that corvane-cli prints.

#include <ostream>
#include <string_view>

namespace corvane::cli {

// A CSV field: quoted, with its quotes doubled, when it holds a comma, a quote or a line break.
void WriteCsvField(std::ostream& out, std::string_view text);

} // namespace corvane::cli
