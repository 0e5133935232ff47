// The real message boxes: which button is the default, what Escape means, and named choices.

#include "ui/qtprompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::ui;

namespace {

// Asks prompt and, once its box is up, hands the box to act.
Answer AskAndAct(const Prompt& prompt, std::function<void(QMessageBox&)> act) {
    QtPrompts prompts(nullptr);
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box is open";
            return;
        }
        act(*box);
    });
    return prompts.ask(prompt);
}

Prompt ThreeWay() {
    return {"Save Project", "Do you want to save any changes to your current project?", Icon::Question,
            Buttons::YesNoCancel, Answer::Yes};
}

} // namespace

TEST(QtPrompts, yesNoCancelQuestion) {
    EXPECT_EQ(AskAndAct(ThreeWay(), [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
              Answer::Cancel)
        << "Escape is Cancel, not No";
    EXPECT_EQ(AskAndAct(ThreeWay(), [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }), Answer::No);
    EXPECT_EQ(AskAndAct(ThreeWay(),
                        [](QMessageBox& box) {
                            EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
                            box.defaultButton()->click();
                        }),
              Answer::Yes);

    Prompt yesNo = ThreeWay();
    yesNo.buttons = Buttons::YesNo;
    yesNo.defaultAnswer = Answer::No;
    EXPECT_EQ(AskAndAct(yesNo,
                        [](QMessageBox& box) {
                            EXPECT_EQ(box.button(QMessageBox::Cancel), nullptr);
                            EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
                            QTest::keyClick(&box, Qt::Key_Escape);
                        }),
              Answer::No)
        << "a Yes/No question has no Cancel: Escape is No";
}

TEST(QtPrompts, namedChoices) {
    Prompt prompt{"Compile FS2002 Traffic.bgl", "3 flights would be dropped.", Icon::Exclamation,
                  Buttons::YesNoCancel, Answer::Cancel, "Show problems", "Compile anyway"};
    EXPECT_EQ(AskAndAct(prompt,
                        [](QMessageBox& box) {
                            EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("Show problems"));
                            EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("Compile anyway"));
                            EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Cancel));
                            box.button(QMessageBox::No)->click();
                        }),
              Answer::No);
}
