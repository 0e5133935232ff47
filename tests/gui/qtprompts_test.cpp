// The real message boxes: which button is the default, what Escape means, and named choices.

#include "ui/qtprompts.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "tempdir.h"

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

TEST(QtPrompts, aFileWhoseNameIsNotUtf8IsRefusedNotMisread) {
    test::TempDir dir;
    const std::string folder = dir.mkdir("Projects \xE9t\xE9");
    dir.write("Projects \xE9t\xE9/Europe.cvp", "x");
    QtPrompts prompts(nullptr);
    std::vector<QString> shown;
    // The dialog shows the folder with its bytes replaced; a name chosen in it is refused, not taken
    // for another.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QFile::decodeName(QByteArray::fromStdString(folder + "Europe.cvp")));
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown.push_back(box->windowTitle());
            box->accept();
        });
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(prompts.file({FileRequest::Mode::Save, "Save Corvane Project as", "Corvane Project (*.cvp)|*.cvp", ""}),
              std::nullopt);
    EXPECT_EQ(shown, std::vector<QString>{QStringLiteral("Unusable file name")});
}
