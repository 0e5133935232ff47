#include "ui/qtprompts.h"

#include "ui/textcodec.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

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

// "fs2002.exe" becomes "[fF][sS]2002.[eE][xX][eE]".
QString CaseInsensitivePattern(const QString& pattern) {
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
    if (bar < 0) return text;
    QStringList patterns;
    for (const QString& pattern : text.mid(bar + 1).split(u';', Qt::SkipEmptyParts))
        patterns << CaseInsensitivePattern(pattern.trimmed());
    return text.left(bar).trimmed().section(u'(', 0, 0).trimmed() + QStringLiteral(" (") +
           patterns.join(u' ') + u')';
}

Answer QtPrompts::ask(const Prompt& prompt) {
    QMessageBox box(IconOf(prompt.icon), MessageToDisplay(prompt.title), MessageToDisplay(prompt.text),
                    QMessageBox::NoButton, m_parent);
    if (prompt.buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(prompt.defaultAnswer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

std::optional<std::string> QtPrompts::file(const FileRequest& request) {
    const QString title = MessageToDisplay(request.title);
    const QString filter = DialogFilter(request.filter);
    const QString initial = PathToDisplay(request.initialName);
    const QString path = request.mode == FileRequest::Mode::Save
                             ? QFileDialog::getSaveFileName(m_parent, title, initial, filter, nullptr,
                                                            QFileDialog::DontConfirmOverwrite)
                             : QFileDialog::getOpenFileName(m_parent, title, initial, filter);
    if (path.isEmpty()) return std::nullopt;
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
