#pragma once
// The question before a compile. When the traffic check found errors, the user learns how many flights
// the compile would drop and how many the simulator would mishandle, and chooses between looking at
// the problems first, compiling anyway and not compiling. Without errors nothing is asked.

namespace corvane {

class Prompts;
struct CheckReport;

enum class CompileChoice { Compile, ShowProblems, Cancel };

CompileChoice AskBeforeCompile(const CheckReport& report, Prompts& prompts);

} // namespace corvane
