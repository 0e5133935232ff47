#include "ui/filterdialog.h"

#include "editors/filtereditor.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corvane::ui {

FilterDialog::FilterDialog(FilterEditor& editor, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_prompts(prompts) {
    using Kind = FilterSelection::Kind;
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

    m_options[0] = Named(new QRadioButton(QStringLiteral("All AI flights"), this), "allOpt");
    m_options[1] =
        Named(new QRadioButton(
                  QStringLiteral("AI flights connected to an airport with an ICAO code starting with"), this),
              "ICAOOpt");
    m_options[2] =
        Named(new QRadioButton(QStringLiteral("AI flights using this aircraft"), this), "aircraftOpt");
    m_icao = Named(new QLineEdit(this), "ICAOTxt");
    m_icao->setMaximumWidth(90);
    m_aircraft = Named(new QComboBox(this), "airCom");
    for (const std::string& title : editor.aircraftTitles()) m_aircraft->addItem(ToDisplay(title));
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
    auto* selection = new QGridLayout;
    selection->addWidget(m_options[0], 0, 0, 1, 2);
    selection->addWidget(m_options[1], 1, 0);
    selection->addWidget(m_icao, 1, 1);
    selection->addWidget(m_options[2], 2, 0);
    selection->addWidget(m_aircraft, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(run);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addLayout(value);
    layout->addLayout(selection);
    layout->addLayout(buttons);

    const Kind kinds[] = {Kind::All, Kind::Airport, Kind::Aircraft};
    for (int i = 0; i < 3; ++i)
        connect(m_options[i], &QRadioButton::clicked, this, [this, kind = kinds[i]] {
            m_editor.chooseOption(kind);
            sync();
        });
    connect(m_icao, &QLineEdit::textEdited, this, [this](const QString& text) {
        std::string bytes;
        if (TypedBytes(text, bytes, m_prompts)) m_editor.editIcao(bytes);
        sync();
        m_icao->end(false);
    });
    connect(m_aircraft, &QComboBox::activated, this, [this](int index) { m_editor.chooseAircraft(index); });
    connect(m_value, &QLineEdit::textEdited, this, [this](const QString& text) {
        std::string bytes;
        if (TypedBytes(text, bytes, m_prompts)) m_editor.editValue(bytes);
        sync();
    });
    connect(run, &QPushButton::clicked, this, [this] {
        setCursor(Qt::WaitCursor);
        const auto progress = [this](int done, int count) {
            m_progress->setMaximum(std::max(1, count));
            m_progress->setValue(done);
            if (done % 1000 == 0) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
        // The bar and the pointer are back before "Done editing ..." is shown.
        const auto ended = [this] {
            m_progress->setValue(0);
            unsetCursor();
            emit ran();
        };
        if (!m_editor.run(progress, ended)) unsetCursor();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    sync();
}

void FilterDialog::sync() {
    using Kind = FilterSelection::Kind;
    const Kind option = m_editor.option();
    m_options[0]->setChecked(option == Kind::All);
    m_options[1]->setChecked(option == Kind::Airport);
    m_options[2]->setChecked(option == Kind::Aircraft);
    m_icao->setEnabled(option == Kind::Airport);
    m_aircraft->setEnabled(option == Kind::Aircraft);
    SetText(m_icao, m_editor.icaoText());
    if (m_aircraft->currentIndex() != m_editor.aircraftIndex())
        m_aircraft->setCurrentIndex(m_editor.aircraftIndex());
    SetText(m_value, m_editor.value());
}

} // namespace corvane::ui
