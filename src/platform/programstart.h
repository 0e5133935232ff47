#pragma once
// What Corvane's programs do first, the same on every system in effect.

#include <string>
#include <vector>

namespace corvane {

// Prepares the process for its work: a file size limit makes a write fail with an error to report
// instead of ending the program; standard output and error take bytes as they are (Windows adds no
// CR before each LF), so that every system prints the same bytes.
void PrepareProcess();

// The program's arguments after its name: on Windows as UTF-8, taken from the wide command line (the
// narrow one holds only what the ANSI code page can); elsewhere their bytes as they are.
std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace corvane
