#include "checkfixture.h"
#include "checks/compilequestion.h"
#include "scriptedprompts.h"

using namespace corvane;
using corvane::test::CheckFixture;
using corvane::test::FlightLineOf;
using corvane::test::ScriptedPrompts;

namespace {

using CompileQuestion = CheckFixture;

TEST_F(CompileQuestion, withoutErrorsNothingIsAsked) {
    addClean("AC#3,N1,0%,24Hr,IFR"); // warnings only
    ScriptedPrompts prompts;
    EXPECT_EQ(AskBeforeCompile(CheckTraffic(db), prompts), CompileChoice::Compile);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(CompileQuestion, countsTheFlightsAndNamesTheChoices) {
    addClean("AC#9,N1,50%,24Hr,IFR");                                              // dropped
    add(FlightLineOf("AC#9,N2,50%,24Hr,IFR", {{"08:00:00", "08:15:00", "AAAA"}})); // dropped and mishandled
    add(FlightLineOf("AC#1,N3,50%,24Hr,IFR", {{"08:00:00", "08:15:00", "AAAA"}})); // mishandled
    addClean("AC#3,N4,50%,24Hr,IFR");                                              // a warning
    const CheckReport report = CheckTraffic(db);
    const struct {
        Answer answer;
        CompileChoice choice;
    } cases[] = {{Answer::Yes, CompileChoice::ShowProblems},
                 {Answer::No, CompileChoice::Compile},
                 {Answer::Cancel, CompileChoice::Cancel}};
    for (const auto& c : cases) {
        ScriptedPrompts prompts;
        prompts.expect("Traffic check", c.answer);
        EXPECT_EQ(AskBeforeCompile(report, prompts), c.choice);
        const Prompt& shown = prompts.shown().at(0);
        EXPECT_EQ(shown.text, "The traffic check found errors in 3 flights:\r\n"
                              "- 2 flights would be dropped by the compile\r\n"
                              "- 1 flight would be mishandled by the simulator\r\n\r\n"
                              "Look at the problems before compiling?");
        EXPECT_EQ(shown.buttons, Buttons::YesNoCancel);
        EXPECT_EQ(shown.yesText, "Show problems");
        EXPECT_EQ(shown.noText, "Compile anyway");
        EXPECT_EQ(shown.defaultAnswer, Answer::Yes);
        EXPECT_EQ(shown.icon, Icon::Exclamation);
    }

    db.flightTable().clear();
    add(FlightLineOf("AC#1,N3,50%,24Hr,IFR", {{"08:00:00", "08:15:00", "AAAA"}}));
    ScriptedPrompts prompts;
    prompts.expect("Traffic check", Answer::No);
    AskBeforeCompile(CheckTraffic(db), prompts);
    EXPECT_EQ(prompts.shown().at(0).text, "The traffic check found errors in 1 flight:\r\n"
                                          "- 1 flight would be mishandled by the simulator\r\n\r\n"
                                          "Look at the problems before compiling?");
}

} // namespace
