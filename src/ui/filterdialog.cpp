#include "ui/filterdialog.h"

#include "editors/filtereditor.h"
#include "ui/selectionbox.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::ui {

FilterDialog::FilterDialog(FilterEditor& editor, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_prompts(prompts) {
    setObjectName(QStringLiteral("filterFrm"));
    setModal(true);
    const FilterEditor::Texts& texts = editor.texts();
    setWindowTitle(ToDisplay(texts.caption));
    auto* info = Named(new QLabel(ToDisplay(texts.info), this), "infoLbl");
    info->setWordWrap(true);
    info->setMinimumWidth(420);
    auto* info1 = Named(new QLabel(ToDisplay(texts.info1), this), "info1Lbl");
    m_value = Named(new QLineEdit(this), "dataTxt");
    m_value->setMaximumWidth(80);
    auto* info2 = Named(new QLabel(ToDisplay(texts.info2), this), "info2Lbl");
    info2->setAlignment(texts.info2RightAligned ? Qt::AlignRight | Qt::AlignVCenter
                                                : Qt::AlignLeft | Qt::AlignVCenter);
    info1->setVisible(texts.valueShown);
    m_value->setVisible(texts.valueShown);

    m_selection = new SelectionBox(editor, prompts, this);
    m_progress = Named(new QProgressBar(this), "progBar");
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    auto* run = Named(new QPushButton(QStringLiteral("&Run"), this), "runCmd");
    auto* close = Named(new QPushButton(QStringLiteral("&Close"), this), "closeCmd");
    // Enter closes the dialog: a filter runs only when its button is pressed.
    run->setAutoDefault(false);
    close->setDefault(true);

    auto* value = new QHBoxLayout;
    value->addWidget(info1);
    value->addWidget(m_value);
    value->addWidget(info2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(run);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addLayout(value);
    layout->addWidget(m_selection);
    layout->addLayout(buttons);

    connect(m_value, &QLineEdit::textEdited, this, [this](const QString& text) {
        std::string bytes;
        if (TypedBytes(text, bytes, m_prompts)) m_editor.editValue(bytes);
        sync();
    });
    connect(run, &QPushButton::clicked, this, [this] {
        setCursor(Qt::WaitCursor);
        // The bar and the pointer are back before "Done editing ..." is shown.
        const auto ended = [this] {
            m_progress->setValue(0);
            unsetCursor();
            emit ran();
        };
        if (!m_editor.run(BarProgress(m_progress), ended)) unsetCursor();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    sync();
}

void FilterDialog::sync() {
    m_selection->sync();
    SetText(m_value, m_editor.value());
}

} // namespace corvane::ui
