#include "checks/compilequestion.h"

#include "checks/problem.h"
#include "traffic/prompts.h"

#include <string>

namespace corvane {

namespace {

std::string Flights(int count) {
    return std::to_string(count) + (count == 1 ? " flight" : " flights");
}

} // namespace

CompileChoice AskBeforeCompile(const CheckReport& report, Prompts& prompts) {
    if (report.flightsWithErrors() == 0) return CompileChoice::Compile;
    std::string text = "The traffic check found errors in " + Flights(report.flightsWithErrors()) + ":";
    if (report.flightsDropped > 0)
        text += "\r\n- " + Flights(report.flightsDropped) + " would be dropped by the compile";
    if (report.flightsMishandled > 0)
        text += "\r\n- " + Flights(report.flightsMishandled) + " would be mishandled by the simulator";
    text += "\r\n\r\nLook at the problems before compiling?";
    Prompt prompt{"Traffic check", std::move(text), Icon::Exclamation, Buttons::YesNoCancel, Answer::Yes};
    prompt.yesText = "Show problems";
    prompt.noText = "Compile anyway";
    switch (prompts.ask(prompt)) {
    case Answer::Yes:
        return CompileChoice::ShowProblems;
    case Answer::No:
        return CompileChoice::Compile;
    default:
        return CompileChoice::Cancel;
    }
}

} // namespace corvane
