#include "ui/qtprompts.h"

#include "platform/desktop.h"
#include "ui/textcodec.h"
#include "ui/windowsettings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace corvane::ui {

namespace {

QMessageBox::Icon IconOf(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// "fs2002.exe" becomes "[fF][sS]2002.[eE][xX][eE]" where file names have letter case; Windows matches
// without regard to case by itself (and knows no "[...]").
QString CaseInsensitivePattern(const QString& pattern) {
    if (FileNamesIgnoreCase()) return pattern;
    QString result;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            result += u'[' + QString(c.toLower()) + QString(c.toUpper()) + u']';
        else
            result += c;
    }
    return result;
}

} // namespace

QString DialogFilter(std::string_view filter) {
    const QString text = ToDisplay(filter);
    const auto bar = text.indexOf(u'|');
    QStringList patterns;
    for (const QString& pattern :
         bar < 0 ? QStringList{QStringLiteral("*")} : text.mid(bar + 1).split(u';', Qt::SkipEmptyParts))
        patterns << CaseInsensitivePattern(pattern.trimmed());
    return text.left(bar).trimmed() + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

Answer QtPrompts::ask(const Prompt& prompt) {
    QMessageBox box(IconOf(prompt.icon), MessageToDisplay(prompt.title), MessageToDisplay(prompt.text),
                    QMessageBox::NoButton, m_parent);
    if (prompt.buttons == Buttons::YesNo || prompt.buttons == Buttons::YesNoCancel) {
        const bool cancel = prompt.buttons == Buttons::YesNoCancel;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No |
                               (cancel ? QMessageBox::Cancel : QMessageBox::NoButton));
        if (!prompt.yesText.empty()) box.button(QMessageBox::Yes)->setText(MessageToDisplay(prompt.yesText));
        if (!prompt.noText.empty()) box.button(QMessageBox::No)->setText(MessageToDisplay(prompt.noText));
        const QMessageBox::StandardButton defaultButton =
            prompt.defaultAnswer == Answer::Yes                ? QMessageBox::Yes
            : prompt.defaultAnswer == Answer::Cancel && cancel ? QMessageBox::Cancel
                                                               : QMessageBox::No;
        box.setDefaultButton(defaultButton);
        box.setEscapeButton(cancel ? QMessageBox::Cancel : QMessageBox::No);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return cancel ? Answer::Cancel : Answer::No;
        }
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

std::optional<std::string> QtPrompts::file(const FileRequest& request) {
    const QString title = MessageToDisplay(request.title);
    const QString filter = DialogFilter(request.filter);
    const QString initial = DialogStartPath(title, PathToDisplay(request.initialName));
    // The dialog shows the filter's name as written and matches the patterns after it (DialogFilter).
    const QString path = request.mode == FileRequest::Mode::Save
                             ? QFileDialog::getSaveFileName(m_parent, title, initial, filter, nullptr,
                                                            QFileDialog::DontConfirmOverwrite |
                                                                QFileDialog::HideNameFilterDetails)
                             : QFileDialog::getOpenFileName(m_parent, title, initial, filter, nullptr,
                                                            QFileDialog::HideNameFilterDetails);
    if (path.isEmpty()) return std::nullopt;
    // A name that is not UTF-8 reaches the dialog with its bytes replaced and cannot be taken back.
    const bool lost = path.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(path) &&
                      (request.mode == FileRequest::Mode::Open || !QFileInfo(path).dir().exists());
    if (lost) {
        ask({"Unusable file name",
             "The name of ''" + PathFromDisplay(path) +
                 "'' holds characters that are not UTF-8, so Corvane cannot open or save it from this "
                 "dialog.\r\nRename the file or its folder, or choose another.",
             Icon::Exclamation, Buttons::Ok, Answer::Ok});
        return std::nullopt;
    }
    RememberDialogFolder(title, path);
    return PathFromDisplay(path);
}

std::optional<std::string> QtPrompts::input(const InputRequest& request) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, MessageToDisplay(request.title), MessageToDisplay(request.prompt),
                              QLineEdit::Normal, ToDisplay(request.initialText), &ok);
    if (!ok) return std::nullopt;
    QChar refused;
    if (auto bytes = FromDisplay(text, &refused)) return bytes;
    ask({RefusedCharacterTitle().toStdString(), RefusedCharacterText(refused), Icon::Exclamation, Buttons::Ok,
         Answer::Ok});
    return std::nullopt;
}

} // namespace corvane::ui
