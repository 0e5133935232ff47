#include "ui/bulkchangedialog.h"

#include "editors/rerouteeditor.h"
#include "editors/retimeeditor.h"
#include "ui/selectionbox.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::ui {

BulkChangeDialog::BulkChangeDialog(const char* name, std::string_view caption, std::string_view info,
                                   QWidget* fields, BulkChangeEditor& editor, QWidget* parent)
    : QDialog(parent)
    , m_editor(editor) {
    setObjectName(QString::fromLatin1(name));
    setModal(true);
    setWindowTitle(ToDisplay(caption));
    auto* description = Named(new QLabel(ToDisplay(info), this), "infoLbl");
    description->setWordWrap(true);
    description->setMinimumWidth(460);
    fields->setParent(this);
    m_count = Named(new QLabel(this), "countLbl");
    m_count->setWordWrap(true);
    m_progress = Named(new QProgressBar(this), "progBar");
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    auto* runButton = Named(new QPushButton(QStringLiteral("&Run"), this), "runCmd");
    auto* close = Named(new QPushButton(QStringLiteral("&Close"), this), "closeCmd");
    // Enter closes the dialog: a change runs only when its button is pressed.
    runButton->setAutoDefault(false);
    close->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(runButton);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(description);
    layout->addWidget(fields);
    layout->addWidget(m_count);
    layout->addLayout(buttons);

    connect(runButton, &QPushButton::clicked, this, [this] {
        setCursor(Qt::WaitCursor);
        // The bar and the pointer are back before the report is shown.
        const auto ended = [this] {
            m_progress->setValue(0);
            unsetCursor();
            emit ran();
        };
        if (!m_editor.run(BarProgress(m_progress), ended)) unsetCursor();
        updateCount();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    updateCount();
}

void BulkChangeDialog::updateCount() {
    m_count->setText(MessageToDisplay(m_editor.previewText()));
}

void ShowRetimeDialog(RetimeEditor& editor, Prompts& prompts, const std::function<void()>& ran,
                      QWidget* parent) {
    auto* selection = new SelectionBox(editor, prompts, nullptr);
    BulkChangeDialog dialog("retimeFrm", RetimeEditor::kCaption, RetimeEditor::kInfo, selection, editor,
                            parent);
    QObject::connect(selection, &SelectionBox::changed, &dialog, &BulkChangeDialog::updateCount);
    QObject::connect(&dialog, &BulkChangeDialog::ran, &dialog, ran);
    dialog.exec();
}

void ShowRerouteDialog(RerouteEditor& editor, Prompts& prompts, const std::function<void()>& ran,
                       QWidget* parent) {
    auto* fields = new QWidget;
    auto* from = Named(new QLineEdit(fields), "fromTxt");
    auto* to = Named(new QLineEdit(fields), "toTxt");
    auto* remove = Named(
        new QCheckBox(QStringLiteral("Remove the old airport from the airport table"), fields), "removeChk");
    for (QLineEdit* code : {from, to}) code->setMaximumWidth(90);
    auto* form = new QFormLayout(fields);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Move the traffic of:"), from);
    form->addRow(QStringLiteral("to the airport:"), to);
    form->addRow(remove);

    BulkChangeDialog dialog("rerouteFrm", RerouteEditor::kCaption, RerouteEditor::kInfo, fields, editor,
                            parent);
    // Codes show in upper case as they are typed.
    const auto bindCode = [&](QLineEdit* field, void (RerouteEditor::*edit)(const std::string&),
                              const std::string& (RerouteEditor::*shown)() const) {
        QObject::connect(field, &QLineEdit::textEdited, &dialog,
                         [&, field, edit, shown](const QString& text) {
                             std::string bytes;
                             if (TypedBytes(text, bytes, prompts)) (editor.*edit)(bytes);
                             SetText(field, (editor.*shown)());
                             dialog.updateCount();
                         });
    };
    bindCode(from, &RerouteEditor::editFrom, &RerouteEditor::fromText);
    bindCode(to, &RerouteEditor::editTo, &RerouteEditor::toText);
    QObject::connect(remove, &QCheckBox::clicked, &dialog, [&](bool checked) {
        editor.setRemoveOld(checked);
        dialog.updateCount();
    });
    QObject::connect(&dialog, &BulkChangeDialog::ran, &dialog, ran);
    dialog.exec();
}

} // namespace corvane::ui
