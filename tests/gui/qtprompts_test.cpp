// The real message boxes: which button is the default, what Escape means, and named choices.

#include "tempdir.h"
#include "ui/qtprompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

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
    EXPECT_EQ(AskAndAct(ThreeWay(), [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }),
              Answer::No);
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
    Prompt prompt{"Compile FS2002 Traffic.bgl",
                  "3 flights would be dropped.",
                  Icon::Exclamation,
                  Buttons::YesNoCancel,
                  Answer::Cancel,
                  "Show problems",
                  "Compile anyway"};
    EXPECT_EQ(AskAndAct(prompt,
                        [](QMessageBox& box) {
                            EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("Show problems"));
                            EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("Compile anyway"));
                            EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Cancel));
                            box.button(QMessageBox::No)->click();
                        }),
              Answer::No);
}

TEST(QtPrompts, fileDialogsShowTheFilterAsWrittenAndFindAnyLetterCase) {
    test::TempDir dir;
    for (const char* name : {"Europe.cvp", "ASIA.CVP", "notes.txt"}) dir.write(name, "x");
    QtPrompts prompts(nullptr);
    QStringList filters, listed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; types && i < types->count(); ++i) filters << types->itemText(i);
        dialog->setDirectory(QString::fromStdString(dir.path()));
        auto* files = dialog->findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_NE(files, nullptr);
        const auto rows = [files] { return files->model()->rowCount(files->rootIndex()); };
        EXPECT_TRUE(QTest::qWaitFor([&] { return rows() >= 2; }));
        QTest::qWait(50); // a name the filter lets through late would show now
        for (int row = 0; row < rows(); ++row)
            listed << files->model()->index(row, 0, files->rootIndex()).data().toString();
        dialog->reject();
    });
    EXPECT_EQ(
        prompts.file({FileRequest::Mode::Open, "Open Corvane Project", "Corvane Project (*.cvp)|*.cvp", ""}),
        std::nullopt);
    EXPECT_EQ(filters.join(u'|').toStdString(), "Corvane Project (*.cvp)");
    listed.sort();
    EXPECT_EQ(listed.join(u'|').toStdString(), "ASIA.CVP|Europe.cvp");
}

#ifndef _WIN32
// (A Windows file name is UTF-16 text, which every dialog shows as it is.)
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
    EXPECT_EQ(prompts.file(
                  {FileRequest::Mode::Save, "Save Corvane Project as", "Corvane Project (*.cvp)|*.cvp", ""}),
              std::nullopt);
    EXPECT_EQ(shown, std::vector<QString>{QStringLiteral("Unusable file name")});
}
#endif

TEST(QtPrompts, eachFileDialogStartsInTheFolderLastChosenInIt) {
    test::TempDir dir;
    const QString projects = QString::fromStdString(dir.mkdir("Projects"));
    const QString exports = QString::fromStdString(dir.mkdir("Exports"));
    QtPrompts prompts(nullptr);
    // Opens the dialog, notes the folder it shows and the name it proposes, and chooses chosen in it.
    auto choose = [&](const std::string& title, const std::string& initial, const QString& chosen) {
        QString shownFolder;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shownFolder = QDir(dialog->directory()).absolutePath();
            dialog->selectFile(chosen);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        prompts.file({FileRequest::Mode::Save, title, "Corvane Project (*.cvp)|*.cvp", initial});
        return shownFolder;
    };
    choose("Save Corvane Project as", "", projects + QStringLiteral("One.cvp"));
    choose("Export Selection", "", exports + QStringLiteral("Part.cvp"));
    EXPECT_EQ(choose("Save Corvane Project as", "Two.cvp", projects + QStringLiteral("Two.cvp")),
              QDir(projects).absolutePath())
        << "each dialog has its own folder, not the one used last";
    EXPECT_EQ(choose("Export Selection", "", exports + QStringLiteral("Part.cvp")),
              QDir(exports).absolutePath());
    EXPECT_EQ(choose("Save Corvane Project as", exports.toStdString() + "Three.cvp",
                     exports + QStringLiteral("Three.cvp")),
              QDir(exports).absolutePath())
        << "a name with a folder of its own keeps it";
    EXPECT_EQ(choose("Save Corvane Project as", "Four.cvp", exports + QStringLiteral("Four.cvp")),
              QDir(exports).absolutePath());

    // A remembered folder that has gone is not offered.
    QDir(exports).removeRecursively();
    EXPECT_NE(choose("Export Selection", "", projects + QStringLiteral("Part.cvp")),
              QDir(exports).absolutePath());
}
