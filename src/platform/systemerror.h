#pragma once
// The text Windows gives for one of its error codes. Only the Windows build has it.

#include <string>

namespace corvane {

// The system's text for code, without the line end it comes with; "error N" when it has none.
std::string SystemErrorText(unsigned long code);

} // namespace corvane
