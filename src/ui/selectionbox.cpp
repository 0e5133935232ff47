#include "ui/selectionbox.h"

#include "editors/flightselectioneditor.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace corvane::ui {

SelectionBox::SelectionBox(FlightSelectionEditor& editor, Prompts& prompts, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_prompts(prompts) {
    using Kind = FilterSelection::Kind;
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

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_options[0], 0, 0, 1, 2);
    layout->addWidget(m_options[1], 1, 0);
    layout->addWidget(m_icao, 1, 1);
    layout->addWidget(m_options[2], 2, 0);
    layout->addWidget(m_aircraft, 2, 1);

    const Kind kinds[] = {Kind::All, Kind::Airport, Kind::Aircraft};
    for (int i = 0; i < 3; ++i)
        connect(m_options[i], &QRadioButton::clicked, this, [this, kind = kinds[i]] {
            m_editor.chooseOption(kind);
            sync();
            emit changed();
        });
    connect(m_icao, &QLineEdit::textEdited, this, [this](const QString& text) {
        std::string bytes;
        if (TypedBytes(text, bytes, m_prompts)) m_editor.editIcao(bytes);
        sync();
        m_icao->end(false);
        emit changed();
    });
    connect(m_aircraft, &QComboBox::activated, this, [this](int index) {
        m_editor.chooseAircraft(index);
        emit changed();
    });
    sync();
}

void SelectionBox::sync() {
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
}

} // namespace corvane::ui
