#include "ui/timetabledialog.h"

#include "editors/timetableeditor.h"
#include "ui/elidedtips.h"
#include "ui/rowsmodel.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace corvane::ui {

TimetableDialog::TimetableDialog(TimetableEditor& editor, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_editor(editor) {
    setObjectName(QStringLiteral("timetableFrm"));
    setModal(true);
    setWindowTitle(QStringLiteral("Import Timetable - ") + PathToDisplay(editor.path()));
    QStringList headers;
    for (std::string_view header : TimetableEditor::kHeaders) headers << ToDisplay(header);
    m_model = new RowsModel(
        headers, [this] { return m_editor.rowCount(); },
        [this](int row, int column) { return m_editor.cell(row, column); }, this);
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    m_model->setDecoration([this, error, warning](int row, int column) -> QVariant {
        if (column != TimetableEditor::RowColumn) return {};
        return m_editor.leavesOut(row) ? error : warning;
    });

    m_counts = Named(new QLabel(this), "countsLbl");
    m_problems = Named(new QTreeView(this), "problemsLst");
    m_problems->setModel(m_model);
    m_problems->setRootIsDecorated(false);
    m_problems->setUniformRowHeights(true);
    m_problems->setAllColumnsShowFocus(true);
    m_problems->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_problems->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_problems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_problems->setTextElideMode(Qt::ElideMiddle);
    m_problems->header()->setStretchLastSection(true);
    m_problems->setColumnWidth(TimetableEditor::RowColumn, 70);
    m_problems->setColumnWidth(TimetableEditor::ProblemColumn, 160);
    ShowCutTextInTooltips(m_problems);
    CopiesRows(m_problems);

    m_zone = Named(new QComboBox(this), "zoneCom");
    FillZones(m_zone, false);
    m_zone->setMaximumWidth(120);
    m_percent = Named(new QLineEdit(this), "percentTxt");
    m_altitude = Named(new QLineEdit(this), "altitudeTxt");
    m_tail = Named(new QLineEdit(this), "tailTxt");
    m_tail->setToolTip(
        QStringLiteral("The tail of a rotation the timetable gives none: {flight} stands for the "
                       "flight number of its first leg, {n} for its number"));
    m_ifr = Named(new QRadioButton(QStringLiteral("IFR"), this), "ifrOpt");
    m_vfr = Named(new QRadioButton(QStringLiteral("VFR"), this), "vfrOpt");
    for (QLineEdit* field : {m_percent, m_altitude}) field->setMaximumWidth(80);
    m_import = Named(new QPushButton(QStringLiteral("&Import"), this), "importCmd");
    auto* cancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "cancelCmd");
    // Enter changes nothing: only the button imports.
    m_import->setAutoDefault(false);
    cancel->setDefault(true);

    auto* rules = new QHBoxLayout;
    rules->addWidget(m_ifr);
    rules->addWidget(m_vfr);
    rules->addStretch(1);
    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("Times without a zone are in:"), m_zone);
    options->addRow(QStringLiteral("Traffic percent:"), m_percent);
    options->addRow(QStringLiteral("Flight rules:"), rules);
    options->addRow(QStringLiteral("Cruise altitude (flight level):"), m_altitude);
    options->addRow(QStringLiteral("Tail number of a chained rotation:"), m_tail);
    auto* leftOut = new QLabel(
        QStringLiteral("Import adds the flights without problems; rotations with problems are left out."),
        this);
    leftOut->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(leftOut, 1);
    buttons->addWidget(m_import);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_counts);
    layout->addWidget(m_problems, 1);
    layout->addLayout(options);
    layout->addLayout(buttons);
    resize(900, 560);

    connect(m_zone, &QComboBox::activated, this,
            [this](int index) { replan([&] { m_editor.chooseZone(index); }); });
    connect(m_ifr, &QRadioButton::clicked, this, [this] { replan([this] { m_editor.chooseRules(true); }); });
    connect(m_vfr, &QRadioButton::clicked, this, [this] { replan([this] { m_editor.chooseRules(false); }); });
    // A text is taken when the field is left or Enter is pressed in it; one that is refused goes back.
    const auto bind = [this, &prompts](QLineEdit* field, bool (TimetableEditor::*edit)(const std::string&)) {
        connect(field, &QLineEdit::editingFinished, this, [this, field, edit, &prompts] {
            if (!field->isModified()) return;
            field->setModified(false);
            std::string bytes;
            replan([&] {
                if (TypedBytes(field->text(), bytes, prompts)) (m_editor.*edit)(bytes);
            });
        });
    };
    bind(m_percent, &TimetableEditor::editPercent);
    bind(m_altitude, &TimetableEditor::editAltitude);
    bind(m_tail, &TimetableEditor::editTailPattern);
    connect(m_import, &QPushButton::clicked, this, [this] {
        if (m_editor.importPlan()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    sync();
}

void TimetableDialog::replan(const std::function<void()>& change) {
    // A timetable of many thousand legs takes a moment to plan again.
    setCursor(Qt::WaitCursor);
    change();
    sync();
    unsetCursor();
}

void TimetableDialog::keyPressEvent(QKeyEvent* event) {
    // Enter in an option's field takes its text (editingFinished) and leaves the preview open.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && qobject_cast<QLineEdit*>(focusWidget())) return event->accept();
    QDialog::keyPressEvent(event);
}

void TimetableDialog::sync() {
    m_model->rowsReplaced();
    m_counts->setText(ToDisplay(m_editor.countsText()));
    const TimetableOptions& options = m_editor.options();
    m_zone->setCurrentIndex(options.zoneIndex);
    SetText(m_percent, options.percent);
    SetText(m_altitude, options.altitude);
    SetText(m_tail, options.tailPattern);
    m_ifr->setChecked(options.ifr);
    m_vfr->setChecked(!options.ifr);
    m_import->setEnabled(m_editor.canImport());
}

} // namespace corvane::ui
