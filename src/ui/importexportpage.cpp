#include "ui/importexportpage.h"

#include "platform/paths.h"
#include "projects/exportproject.h"
#include "projects/projectcommands.h"
#include "projects/session.h"
#include "traffic/text.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corvane::ui {

ImportExportPage::ImportExportPage(Session& session, std::function<void(ImportOutcome)> imported,
                                   QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_imported(std::move(imported)) {
    setObjectName(QStringLiteral("F4"));
    auto* exportFrame =
        Named(new QGroupBox(QStringLiteral("Export CVN project file (*.cvp)"), this), "Frame7");
    const char* captions[kCriterionCount] = {
        "All AI flights connected to an airport with an ICAO code starting with",
        "All AI flights with a traffic precent", "All AI flights using this aircraft",
        "All AI flights that are either", "All AI flights that are repeated every"};
    for (int i = 0; i < kCriterionCount; ++i) {
        m_checks[static_cast<std::size_t>(i)] = new QCheckBox(QString::fromLatin1(captions[i]), exportFrame);
        m_checks[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("exportChk%1").arg(i));
    }
    m_icao = Named(new QLineEdit(exportFrame), "exIcaoTxt");
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::Monospace);
    m_icao->setFont(fixed);
    m_icao->setMaximumWidth(90);
    m_comparison = Named(new QComboBox(exportFrame), "exPercentCom");
    m_comparison->setMinimumContentsLength(10);
    for (std::string_view item : kPercentComparisonItems) m_comparison->addItem(ToDisplay(item));
    m_percent = Named(new QLineEdit(exportFrame), "exPercentTxt");
    m_percent->setMaximumWidth(60);
    m_aircraft = Named(new QComboBox(exportFrame), "exAircraftCom");
    m_aircraft->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_aircraft->setMinimumContentsLength(30);
    m_ifr = Named(new QRadioButton(QStringLiteral("IFR"), exportFrame), "exIFROpt");
    m_vfr = Named(new QRadioButton(QStringLiteral("VFR"), exportFrame), "exVFROpt");
    auto* rules = new QButtonGroup(this);
    rules->setExclusive(false); // "neither chosen" is a state the form can be in
    rules->addButton(m_ifr);
    rules->addButton(m_vfr);
    m_repeat = Named(new QComboBox(exportFrame), "exRepeatCom");
    for (std::string_view item : kRepeatItems) m_repeat->addItem(ToDisplay(item));
    auto* exportCmd = Named(new QPushButton(QStringLiteral("Export"), exportFrame), "exportCmd");

    auto* grid = new QGridLayout(exportFrame);
    grid->addWidget(m_checks[0], 0, 0);
    grid->addWidget(m_icao, 0, 1);
    grid->addWidget(m_checks[1], 1, 0);
    auto* percent = new QHBoxLayout;
    percent->addWidget(m_comparison);
    percent->addWidget(m_percent);
    percent->addWidget(new QLabel(QStringLiteral("%"), exportFrame));
    percent->addStretch(1);
    grid->addLayout(percent, 1, 1);
    grid->addWidget(m_checks[2], 2, 0);
    grid->addWidget(m_aircraft, 2, 1);
    grid->addWidget(m_checks[3], 3, 0);
    auto* rulesRow = new QHBoxLayout;
    rulesRow->addWidget(m_ifr);
    rulesRow->addWidget(m_vfr);
    rulesRow->addStretch(1);
    grid->addLayout(rulesRow, 3, 1);
    grid->addWidget(m_checks[4], 4, 0);
    grid->addWidget(m_repeat, 4, 1, Qt::AlignLeft);
    grid->addWidget(exportCmd, 5, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);

    auto* importFrame = Named(
        new QGroupBox(QStringLiteral("Import CVN project file (*.cvp) to Traffic.BGL"), this), "Frame8");
    m_importTxt = Named(new QLineEdit(importFrame), "importTxt");
    auto* browse = Named(new QPushButton(QStringLiteral("..."), importFrame), "importBrowseCmd");
    auto* importCmd = Named(new QPushButton(QStringLiteral("Import"), importFrame), "importCmd");
    auto* importRow = new QHBoxLayout(importFrame);
    importRow->addWidget(m_importTxt, 1);
    importRow->addWidget(browse);
    importRow->addWidget(importCmd);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(exportFrame);
    layout->addWidget(importFrame);
    layout->addStretch(1);

    for (int i = 0; i < kCriterionCount; ++i)
        connect(m_checks[static_cast<std::size_t>(i)], &QCheckBox::clicked, this,
                [this, i](bool checked) { check(static_cast<Criterion>(i), checked); });
    connect(m_icao, &QLineEdit::textEdited, this, [this](const QString& text) {
        std::string bytes;
        if (TypedBytes(text, bytes, m_session.prompts)) m_criteria.icaoPrefix = Upper(bytes);
        sync();
        m_icao->end(false);
    });
    connect(m_comparison, &QComboBox::activated, this,
            [this](int index) { m_criteria.comparison = static_cast<PercentComparison>(index); });
    connect(m_percent, &QLineEdit::textEdited, this, [this](const QString& text) {
        std::string bytes;
        if (TypedBytes(text, bytes, m_session.prompts)) m_criteria.percent = bytes;
        sync();
    });
    connect(m_aircraft, &QComboBox::activated, this,
            [this](int) { m_criteria.aircraftTitle = FromDisplay(m_aircraft->currentText()).value_or(""); });
    connect(m_ifr, &QRadioButton::clicked, this, [this] {
        m_criteria.ifr = true;
        m_criteria.vfr = false;
        sync();
    });
    connect(m_vfr, &QRadioButton::clicked, this, [this] {
        m_criteria.vfr = true;
        m_criteria.ifr = false;
        sync();
    });
    connect(m_repeat, &QComboBox::activated, this,
            [this](int) { m_criteria.repeat = FromDisplay(m_repeat->currentText()).value_or(""); });
    connect(exportCmd, &QPushButton::clicked, this, [this] {
        setCursor(Qt::WaitCursor);
        RunExport(m_session, m_criteria);
        unsetCursor();
    });
    connect(m_importTxt, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_importPath = PathFromDisplay(text); });
    connect(browse, &QPushButton::clicked, this, [this] {
        const auto chosen =
            m_session.prompts.file({FileRequest::Mode::Open, "Import Corvane Project", kProjectFilter, ""});
        if (chosen && PathExists(*chosen, true)) {
            m_importPath = *chosen;
            m_importTxt->setText(PathToDisplay(m_importPath));
        }
    });
    connect(importCmd, &QPushButton::clicked, this, [this] {
        m_session.lastBackup.clear(); // an import without flights compiles nothing, backs up nothing
        m_imported(RunImport(m_session, m_importPath));
    });
    opened();
}

void ImportExportPage::check(Criterion criterion, bool checked) {
    CheckCriterion(m_criteria, criterion, checked);
    sync();
}

void ImportExportPage::opened() {
    m_aircraft->clear();
    for (const std::string& title : ExportAircraftTitles(m_session.db)) m_aircraft->addItem(ToDisplay(title));
    for (int i = 0; i < kCriterionCount; ++i) CheckCriterion(m_criteria, static_cast<Criterion>(i), false);
    sync();
}

void ImportExportPage::sync() {
    for (int i = 0; i < kCriterionCount; ++i)
        m_checks[static_cast<std::size_t>(i)]->setChecked(m_criteria.isChecked(static_cast<Criterion>(i)));
    m_icao->setEnabled(m_criteria.isChecked(Criterion::AirportPrefix));
    SetText(m_icao, m_criteria.icaoPrefix);
    const bool percent = m_criteria.isChecked(Criterion::Percent);
    m_comparison->setEnabled(percent);
    m_percent->setEnabled(percent);
    m_comparison->setCurrentIndex(static_cast<int>(m_criteria.comparison));
    SetText(m_percent, m_criteria.percent);
    m_aircraft->setEnabled(m_criteria.isChecked(Criterion::Aircraft));
    m_aircraft->setCurrentIndex(
        m_criteria.aircraftTitle.empty() ? -1 : m_aircraft->findText(ToDisplay(m_criteria.aircraftTitle)));
    const bool rules = m_criteria.isChecked(Criterion::Rules);
    m_ifr->setEnabled(rules);
    m_vfr->setEnabled(rules);
    m_ifr->setChecked(m_criteria.ifr);
    m_vfr->setChecked(m_criteria.vfr);
    m_repeat->setEnabled(m_criteria.isChecked(Criterion::Repeat));
    m_repeat->setCurrentIndex(m_criteria.repeat.empty() ? -1
                                                        : m_repeat->findText(ToDisplay(m_criteria.repeat)));
}

} // namespace corvane::ui
