#include "ui/optionsdialog.h"

#include "editors/optionseditor.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::ui {

OptionsDialog::OptionsDialog(OptionsEditor& editor, QWidget* parent)
    : QDialog(parent)
    , m_editor(editor) {
    setObjectName(QStringLiteral("optionsFrm"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);
    auto* frame =
        Named(new QGroupBox(QStringLiteral("Flight Simulator 2002 main folder path"), this), "Frame1");
    m_pathTxt = Named(new QLineEdit(PathToDisplay(editor.path()), frame), "pathTxt");
    m_pathTxt->setMinimumWidth(360);
    auto* browse = Named(new QPushButton(QStringLiteral("..."), frame), "browseCmd");
    auto* tools = Named(new QLabel(MessageToDisplay(editor.toolsDescription()), this), "toolsLbl");
    tools->setWordWrap(true);
    auto* checkFrame = Named(new QGroupBox(QStringLiteral("Traffic check"), this), "checkFrame");
    m_turnaroundTxt = Named(new QLineEdit(ToDisplay(editor.turnaround()), checkFrame), "turnaroundTxt");
    m_turnaroundTxt->setMaximumWidth(80);
    auto* toolsFrame = Named(new QGroupBox(QStringLiteral("Traffic tools"), this), "toolsFrame");
    m_toolTimeTxt = Named(new QLineEdit(ToDisplay(editor.toolTimeLimit()), toolsFrame), "toolTimeTxt");
    m_toolTimeTxt->setMaximumWidth(80);
    auto* ok = Named(new QPushButton(QStringLiteral("&OK"), this), "okCmd");
    auto* cancel = Named(new QPushButton(QStringLiteral("&Cancel"), this), "cancelCmd");
    ok->setDefault(true);

    auto* row = new QHBoxLayout(frame);
    row->addWidget(m_pathTxt, 1);
    row->addWidget(browse);
    auto* turnaround = new QHBoxLayout(checkFrame);
    auto* turnaroundLbl = new QLabel(QStringLiteral("&Turnaround minimum (minutes):"), checkFrame);
    turnaroundLbl->setBuddy(m_turnaroundTxt);
    turnaround->addWidget(turnaroundLbl);
    turnaround->addWidget(m_turnaroundTxt);
    turnaround->addStretch(1);
    auto* toolTime = new QHBoxLayout(toolsFrame);
    auto* toolTimeLbl =
        new QLabel(QStringLiteral("Stop a tool that runs longer than (&minutes):"), toolsFrame);
    toolTimeLbl->setBuddy(m_toolTimeTxt);
    toolTime->addWidget(toolTimeLbl);
    toolTime->addWidget(m_toolTimeTxt);
    toolTime->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(tools);
    layout->addWidget(checkFrame);
    layout->addWidget(toolsFrame);
    layout->addLayout(buttons);

    connect(m_pathTxt, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_editor.editPath(PathFromDisplay(text)); });
    connect(m_turnaroundTxt, &QLineEdit::textEdited, this, [this](const QString& text) {
        // A character without a byte cannot be part of a number: OK refuses it with its message.
        m_editor.editTurnaround(FromDisplay(text).value_or(std::string("?")));
    });
    connect(m_toolTimeTxt, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_editor.editToolTimeLimit(FromDisplay(text).value_or(std::string("?")));
    });
    connect(browse, &QPushButton::clicked, this, [this] {
        m_editor.browse();
        m_pathTxt->setText(PathToDisplay(m_editor.path()));
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_editor.ok()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void OptionsDialog::done(int result) {
    switch (m_editor.requestClose()) {
    case OptionsEditor::Close::Refuse:
        return;
    case OptionsEditor::Close::Quit:
        m_quit = true;
        break;
    case OptionsEditor::Close::Allow:
        break;
    }
    QDialog::done(result);
}

} // namespace corvane::ui
