#include "ui/associationdialog.h"

#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::ui {

AssociationDialog::AssociationDialog(AssociationEditor& editor, QWidget* parent)
    : QDialog(parent)
    , m_editor(editor) {
    setObjectName(QStringLiteral("assosiateFrm"));
    setWindowTitle(QStringLiteral("Re-Associate AI Aircraft"));
    setModal(true);
    auto* name = Named(new QLineEdit(ToDisplay(editor.txtName()), this), "txtName");
    auto* speed = Named(new QLineEdit(ToDisplay(editor.txtSpeed()), this), "txtSpeed");
    name->setReadOnly(true);
    speed->setReadOnly(true);
    name->setMinimumWidth(320);
    m_label = Named(new QLabel(QStringLiteral("Associate with:"), this), "Label3");
    m_candidates = Named(new QComboBox(this), "comFSAir");
    for (const std::string& title : editor.comFSAir()) m_candidates->addItem(ToDisplay(title));
    m_candidates->setCurrentIndex(-1);
    m_bar = Named(new QProgressBar(this), "PB");
    m_bar->hide();
    m_ok = Named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    m_cancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    // Enter cancels: the flights are rewritten only when OK is pressed.
    m_ok->setAutoDefault(false);
    m_cancel->setDefault(true);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Aircraft:"), name);
    fields->addRow(QStringLiteral("Cruise speed:"), speed);
    fields->addRow(m_label, m_candidates);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_bar, 1);
    buttons->addStretch(0);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, [this] {
        const std::string chosen = m_candidates->currentIndex() < 0
                                       ? std::string()
                                       : FromDisplay(m_candidates->currentText()).value_or("");
        setCursor(Qt::WaitCursor);
        const auto result = m_editor.ok(chosen, *this);
        unsetCursor();
        if (result == AssociationEditor::Result::Close) accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_editor.cancel();
        reject();
    });
}

void AssociationDialog::started(int maximum) {
    m_label->hide();
    m_candidates->hide();
    m_ok->setEnabled(false);
    m_cancel->setEnabled(false);
    m_bar->setRange(0, maximum);
    m_bar->show();
}

void AssociationDialog::advanced(int value) {
    m_bar->setValue(value);
    if (value % 100 == 0) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace corvane::ui
